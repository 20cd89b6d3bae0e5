#pragma once

#include <QString>
#include <QStringList>

#include <utility>

namespace Quillorn {

// The text of a desktop's mimeapps.list, changed one MIME type's list of applications at a
// time: every other line (other groups, other types, comments, blank lines) stays as it was.
class MimeAppsList {
public:
    static QString defaultGroup() { return QStringLiteral("Default Applications"); }
    static QString addedGroup() { return QStringLiteral("Added Associations"); }

    explicit MimeAppsList(const QString& text = {});

    // The desktop entries listed for `mimeType` in `group`, in their order.
    QStringList applications(const QString& group, const QString& mimeType) const;

    // Lists `applications` for `mimeType` in `group`; an empty list removes the type's line.
    // A group that is missing is added at the end.
    void setApplications(const QString& group, const QString& mimeType,
                         const QStringList& applications);

    // The file's text: the lines read, as they were, and the changed ones, each ended by LF.
    QString text() const;

private:
    // The range of `group`'s lines after its header: [first, end). first is -1 without it.
    std::pair<int, int> groupLines(const QString& group) const;
    // The line of `mimeType` within `group`, or -1.
    int keyLine(const QString& group, const QString& mimeType) const;

    QStringList m_lines;
};

} // namespace Quillorn
