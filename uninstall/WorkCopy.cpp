#include "uninstall/WorkCopy.h"

#include "platform/FileReader.h"
#include "platform/FreshFile.h"
#include "uninstall/UninstallTexts.h"

#include <QFile>
#include <QProcess>

#include <unistd.h>

namespace Quillorn {

QString WorkCopy::make(const QString& programPath, const QString& logPath) const
{
    const FileReader::Result self = FileReader::read(programPath, FileReader::NoCap);
    if (!self.ok())
        return UninstallTexts::notCopied(program(), qt_error_string(self.failure.systemError()));
    if (const int error = FreshFile::write(program(), self.bytes, 0700))
        return UninstallTexts::notCopied(program(), qt_error_string(error));
    const FileReader::Result read = FileReader::read(logPath, FileReader::NoCap);
    if (!read.ok()) {
        ::unlink(QFile::encodeName(log()).constData());
        return {};
    }
    if (const int error = FreshFile::write(log(), read.bytes, 0600))
        return UninstallTexts::notCopied(log(), qt_error_string(error));
    return {};
}

bool WorkCopy::start() const
{
    return QProcess::startDetached(program(), {argument()});
}

} // namespace Quillorn
