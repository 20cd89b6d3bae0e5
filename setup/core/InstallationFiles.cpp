#include "setup/core/InstallationFiles.h"

namespace Quillorn {

std::vector<std::string> InstallationFiles::runTimeFiles()
{
    return {settings(),
            "last_session.qlp",
            log(),
            "plug-ins/tidy/tmp.html",
            "plug-ins/tidy/tmp2.html",
            "plug-ins/tidy/err.log"};
}

} // namespace Quillorn
