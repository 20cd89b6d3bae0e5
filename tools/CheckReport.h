#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace Quillorn {

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
};

} // namespace Quillorn
