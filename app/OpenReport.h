#pragma once

#include "platform/LangStrings.h"

#include <QString>
#include <QStringList>

namespace Quillorn {

// What a batch of opens (the files of a session, of the command line, or handed over while
// the editor was busy) could not open, told in one message at the end instead of a box each.
class OpenReport {
public:
    // Files listed by name in the message; the rest are counted.
    static constexpr int ListedFiles = 20;

    void addMissing(const QString& path) { m_missing.append(path); }
    void addError(const QString& error) { m_errors.append(error); }
    bool isEmpty() const { return m_missing.isEmpty() && m_errors.isEmpty(); }

    // One missing file gives the plain "File doesn't exist!"; more are listed under "These files
    // don't exist:", one per line. Other failures follow, each with its own text.
    QString message(const LangStrings& strings) const;

private:
    static QString listed(const QStringList& lines, const LangStrings& strings);

    QStringList m_missing;
    QStringList m_errors;
};

} // namespace Quillorn
