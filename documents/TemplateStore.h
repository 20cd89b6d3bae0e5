#pragma once

#include "documents/FileIO.h"
#include "platform/Str.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace Quillorn {

// The templates folder: every file in it is a template, its name without the extension is
// what the chooser shows and its extension the kind of the document it starts.
class TemplateStore {
public:
    explicit TemplateStore(QString folder);

    // The templates folder below the program folder.
    static QString folderIn(const QString& appDir);

    const QString& folder() const { return m_folder; }

    // The template file names, files only (hidden ones, such as a save in progress, left
    // out), sorted by name.
    QStringList fileNames() const;
    QString path(const QString& fileName) const;

    // The text before the last "." ("HTML Document" of "HTML Document.html"); a name without
    // "." is its own display name.
    static QString displayName(const QString& fileName);
    // The text from the last "." on, empty when there is none.
    static QString extension(const QString& fileName);

    // The message that says why `name` cannot name a template (nothing when it can): it must
    // stay a file name inside the folder.
    static std::optional<Str> nameProblem(const QString& name);

    // Stores `text` as template `name`, replacing one of that name.
    FileIO::WriteResult addTemplate(const QString& name, const QString& text,
                                    const QString& language) const;

private:
    QString m_folder;
};

} // namespace Quillorn
