#pragma once

#include "platform/FileFailure.h"
#include "platform/Settings.h"

#include <QString>

namespace Quillorn {

// Owns the format of settings.dat: "key=value" lines, keys compared without regard to case,
// read once at start and rewritten whole, as fourteen entries, at exit: the nine the program has
// always written, the preview server's address, then the editor's four switches.
class SettingsFile {
public:
    explicit SettingsFile(QString path)
        : m_path(std::move(path))
    {
    }

    const QString& path() const { return m_path; }

    // Applies every line of the file to `settings`. A missing or unreadable file, or one that
    // is no regular file, changes nothing; a line that cannot be understood is passed over.
    // Only the first 16 MB are read.
    void read(Settings& settings) const;

    // Applies the lines of `text` as read from the file.
    static void apply(const QString& text, Settings& settings);

    // The fourteen entries written at exit, each ended by CR LF.
    static QString compose(const Settings& settings);

    // Rewrites the file from `settings`; on failure the old file stays as it was.
    FileFailure write(const Settings& settings) const;

    // The number a text stands for, read like a typed-in number: leading blanks, a sign and
    // digits, anything after them ignored, no digits at all giving 0. Nothing when the number
    // does not fit in 32 bits.
    static std::optional<qint32> numberValue(const QString& text);

    // The truth value of a text: "True"/"False" in any case, or a number (non-zero is true).
    // Nothing for any other text.
    static std::optional<bool> booleanValue(const QString& text);

private:
    QString m_path;
};

} // namespace Quillorn
