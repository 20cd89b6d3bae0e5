#include "setup/InstallationFiles.h"

namespace Quillorn {

QStringList InstallationFiles::runTimeFiles()
{
    return {settings(),
            QStringLiteral("last_session.qlp"),
            log(),
            QStringLiteral("plug-ins/tidy/tmp.html"),
            QStringLiteral("plug-ins/tidy/tmp2.html"),
            QStringLiteral("plug-ins/tidy/err.log")};
}

} // namespace Quillorn
