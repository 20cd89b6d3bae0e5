#include "setup/PayloadContents.h"

#include "setup/core/InstallationFiles.h"

#include <QDir>
#include <QDirIterator>

namespace Quillorn {

PayloadContents::Result PayloadContents::list(const QString& programFolder)
{
    Result result;
    const QDir folder(programFolder);
    for (const std::string& name :
         {InstallationFiles::editor(), InstallationFiles::uninstaller()}) {
        const QString program = QString::fromStdString(name);
        if (!QFileInfo(folder.filePath(program)).isFile()) {
            result.error = QStringLiteral("%1 is missing from %2").arg(program, programFolder);
            return result;
        }
    }
    QStringList left{QString::fromStdString(InstallationFiles::installer())};
    for (const std::string& file : InstallationFiles::runTimeFiles())
        left.append(QString::fromStdString(file));
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
