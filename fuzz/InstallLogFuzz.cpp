// install.log as the installer reads its record and the uninstaller its log (nothing is
// removed here: only the reading).
#include "fuzz/FuzzInput.h"
#include "setup/core/InstallLog.h"
#include "uninstall/Uninstallation.h"

using namespace Quillorn;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray log = FuzzInput::bytes(data, size);
    for (const std::string& line : InstallLog::lines({log.constData(), size_t(log.size())}))
        FuzzInput::check(!line.empty() && line.find('\n') == std::string::npos,
                         "one non-empty path a line");
    static const SetupPlaces places = SetupPlaces::current();
    const Uninstallation uninstallation(log, places);
    FuzzInput::check(!uninstallation.belongsTo(QStringLiteral("/")),
                     "the root of everything is never an installation folder");
    return 0;
}
