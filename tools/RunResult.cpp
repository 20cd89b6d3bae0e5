#include "tools/RunResult.h"

#include "platform/Utf8Text.h"

#include <cstring>

namespace Quillorn {

QString RunResult::reason() const
{
    return startError == 0 ? QString() : QString::fromLocal8Bit(std::strerror(startError));
}

QString RunResult::text() const
{
    if (status == RunStatus::NotStarted)
        return QString();
    if (status != RunStatus::Finished)
        return QStringLiteral("ERR");
    return Utf8Text::isValid(output) ? QString::fromUtf8(output) : QString::fromLatin1(output);
}

} // namespace Quillorn
