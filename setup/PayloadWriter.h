#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace Quillorn {

// Puts an installer together: its program, then the files of the installation behind it in
// the payload layout (see PayloadFormat). Refuses what the installer could not read back
// exactly: a file or a program holding the marker, a file holding the separator, a name that
// would leave the installation folder.
class PayloadWriter {
public:
    struct File {
        QString path; // below the installation folder, folders joined by "/"
        QByteArray bytes;
    };

    struct Result {
        QByteArray installer;
        QString error; // why nothing was put together, naming the file
        bool ok() const { return error.isEmpty(); }
    };

    static Result compose(const QByteArray& program, const QList<File>& files);
};

} // namespace Quillorn
