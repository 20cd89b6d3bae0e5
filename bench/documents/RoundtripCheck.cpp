// Opens every file below a folder the way the editor does (read, detect the encoding, decode
// to the editor's UTF-8) and encodes it back unchanged, then reports how many files came back
// identical and which did not.

#include "documents/DocumentCodec.h"
#include "documents/FileIO.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QTextStream>

using namespace Quillorn;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream out(stdout);
    if (args.size() < 2) {
        out << "usage: roundtrip_check FOLDER [LANGUAGE]\n";
        return 2;
    }
    const QString language = args.value(2, QStringLiteral("english"));
    int total = 0;
    int identical = 0;
    QStringList differing;
    QStringList unreadable;
    QDirIterator it(args.at(1), QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const FileIO::ReadResult read = FileIO::readWholeFile(path);
        if (!read.ok()) {
            unreadable.append(path);
            continue;
        }
        ++total;
        const DocumentCodec::Decoded decoded = DocumentCodec::decode(read.bytes, language);
        const Encoding save = DocumentCodec::encodingForSave(decoded.utf8, decoded.encoding);
        const DocumentCodec::Encoded encoded = DocumentCodec::encode(decoded.utf8, save);
        if (encoded.ok() && encoded.bytes == read.bytes)
            ++identical;
        else
            differing.append(path + QLatin1String(" (") + QString::fromLatin1(save.name) +
                             QLatin1Char(')'));
    }
    out << identical << " of " << total << " files came back identical\n";
    for (const QString& path : differing)
        out << "differs: " << path << '\n';
    for (const QString& path : unreadable)
        out << "not read: " << path << '\n';
    return differing.isEmpty() ? 0 : 1;
}
