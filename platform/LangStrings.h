#pragma once

#include "platform/Str.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace Quillorn {

// The table of interface strings of one language, read from its main.lng: string N is
// line N + 1 of the file. Every caption and message that depends on the language comes
// from here.
class LangStrings {
public:
    // The folder of `language` below the program folder: appDir + "languages/" + language
    // + "/", with "english" for an empty language.
    static QString languageFolder(const QString& appDir, const QString& language);

    // Replaces the table with the lines of `path`, decoded for `language`. A file that cannot
    // be read leaves the table as it was and returns false.
    bool load(const QString& path, const QString& language);

    int count() const { return static_cast<int>(m_strings.size()); }

    // String `id`, or nothing when the table is shorter.
    std::optional<QString> text(Str id) const;

    // String `id`, or `fallback` when the table has no such line.
    QString value(Str id, const QString& fallback = {}) const;

    // String `id` made ready for a message: "<BR>" and "<br>" become line breaks, and "%1",
    // "%2" are replaced by the arguments given.
    QString message(Str id, const QString& arg = {}) const;
    QString message(Str id, const QString& arg1, const QString& arg2) const;

    // The same treatment for a text that does not come from the table.
    static QString messageText(QString text, const QString& arg = {});
    static QString messageText(QString text, const QStringList& args);

private:
    QStringList m_strings;
};

} // namespace Quillorn
