// Puts build/bin/quillsetup together at build time: the installer program with every file of
// the laid-out program folder behind it. Usage: writer PROGRAM FOLDER OUTPUT. A file the
// installer could not carry stops the build with the reason.

#include "platform/FileReader.h"
#include "platform/FileSaver.h"
#include "setup/PayloadContents.h"
#include "setup/PayloadWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

using namespace Quillorn;

namespace {

// Stops the build with `text`; an installer of an earlier build is removed, so that no stale
// one is taken for this build's.
int refuse(const QString& text, const QString& output = {})
{
    std::fprintf(stderr, "quillsetup: %s\n", text.toLocal8Bit().constData());
    if (!output.isEmpty())
        QFile::remove(output);
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 4)
        return refuse(QStringLiteral("usage: %1 PROGRAM FOLDER OUTPUT").arg(arguments.value(0)));
    const QString& programPath = arguments.at(1);
    const QDir folder(arguments.at(2));
    const QString& output = arguments.at(3);

    const FileReader::Result program = FileReader::read(programPath, FileReader::NoCap);
    if (!program.ok())
        return refuse(programPath + QStringLiteral(" cannot be read"), output);
    const PayloadContents::Result contents = PayloadContents::list(folder.path());
    if (!contents.ok())
        return refuse(contents.error, output);
    QList<PayloadWriter::File> files;
    for (const QString& path : contents.paths) {
        const FileReader::Result read = FileReader::read(folder.filePath(path), FileReader::NoCap);
        if (!read.ok())
            return refuse(folder.filePath(path) + QStringLiteral(" cannot be read"), output);
        files.append({path, read.bytes});
    }
    const PayloadWriter::Result installer = PayloadWriter::compose(program.bytes, files);
    if (!installer.ok())
        return refuse(installer.error, output);

    // An installer that is already as it would be is left alone, with its time.
    if (FileReader::read(output, FileReader::NoCap).bytes != installer.installer) {
        if (!FileSaver::save(output, installer.installer).ok())
            return refuse(output + QStringLiteral(" cannot be written"), output);
    }
    const QFile::Permissions executable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                          QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                          QFile::ExeOther;
    if (!QFile::setPermissions(output, executable))
        return refuse(output + QStringLiteral(" cannot be made executable"), output);
    std::printf("quillsetup: %lld files carried\n", static_cast<long long>(files.size()));
    return 0;
}
