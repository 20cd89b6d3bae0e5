#include "platform/DesktopEntryText.h"

#include "platform/posix/DesktopValue.h"

namespace Quillorn {

QString DesktopEntryText::escaped(const QString& text)
{
    return QString::fromStdString(Posix::DesktopValue::escaped(text.toStdString()));
}

} // namespace Quillorn
