#pragma once

#include <QString>

#include <optional>

namespace Quillorn {

// One "plugin" line of the settings: the plug-in's name (a library's object is that name +
// ".Data", a program's menu entry shows it) and its file in the program's plug-ins folder,
// fields joined by three backslashes; fields after the second are kept but mean nothing here.
struct PluginLine {
    QString name;
    QString file;

    // The first two fields of the line's value; nothing when it has no file.
    static std::optional<PluginLine> parse(const QString& value);
    // The value for a line naming `file` by its own name: the file name up to its first ".".
    static QString forFile(const QString& file);
    // The file's path below the program folder `appDir` (with its trailing "/").
    QString path(const QString& appDir) const;
};

} // namespace Quillorn
