#pragma once

#include "documents/CurrentDocument.h"

#include <QList>
#include <QString>

#include <optional>

namespace Quillorn {

class LangStrings;

// The report of a document check as the check window shows it: cut before the notes that follow
// the summary, and each line with the place in the document that it names.
class CheckReport {
public:
    // A place in the document, both counted from 1.
    struct Reference {
        int line = 0;
        int column = 1;
    };
    struct Line {
        QString text;
        std::optional<Reference> reference;
    };

    // `out` up to its first empty line (line ends LF or CR LF); whole when it has none.
    static QString trim(const QString& out);

    // The lines of `report`, each with the place named by a message such as "line 12 column 5 -
    // Warning: ..." or "... in /path/x.php on line 7".
    static QList<Line> lines(const QString& report);

    // The lines of its document that `report` names, each with its message: an error where the
    // words before the message's first ":" say so ("line 4 column 1 - Error: ...", "PHP Parse
    // error: ..."), else a warning. PHP's own "PHP " before a message is left out, so the one
    // message it writes to both its streams marks once.
    static QList<CurrentDocument::CheckMark> marks(const QString& report);
    // A few words on a check for the status line: the one message when `marks` holds one, else
    // the report's last line that names no place (Tidy's count of warnings and errors); empty
    // when nothing was marked.
    static QString summary(const QString& report, const QList<CurrentDocument::CheckMark>& marks);
    // Puts the marks of `report` on the open document `id` in place of its earlier ones, and
    // gives the status line's words on it: the summary, or that the check found nothing. Empty
    // when the document was closed meanwhile: its result is dropped.
    static QString markDocument(CurrentDocument& document, quint64 id, const QString& report,
                                const LangStrings& strings);
};

} // namespace Quillorn
