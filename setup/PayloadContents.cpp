#include "setup/PayloadContents.h"

#include "setup/InstallationFiles.h"

#include <QDir>
#include <QDirIterator>

namespace Quillorn {

PayloadContents::Result PayloadContents::list(const QString& programFolder)
{
    Result result;
    const QDir folder(programFolder);
    for (const QString& program : {InstallationFiles::editor(), InstallationFiles::uninstaller()}) {
        if (!QFileInfo(folder.filePath(program)).isFile()) {
            result.error = QStringLiteral("%1 is missing from %2").arg(program, programFolder);
            return result;
        }
    }
    QStringList left = InstallationFiles::runTimeFiles();
    left.append(InstallationFiles::installer());
    QDirIterator it(programFolder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = folder.relativeFilePath(it.next());
        if (!left.contains(path))
            result.paths.append(path);
    }
    result.paths.sort();
    return result;
}

} // namespace Quillorn
