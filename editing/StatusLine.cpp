#include "editing/StatusLine.h"

#include "platform/LangStrings.h"

namespace Quillorn {

QString StatusLine::caption(const LangStrings& strings, const Position& position)
{
    QString text = strings.value(62, QStringLiteral("Line: ")) + QString::number(position.line) +
                   QLatin1String("  ") + strings.value(63, QStringLiteral("Symbol: ")) +
                   QString::number(position.column);
    if (position.selected >= 1) {
        text += QLatin1String("  ") + strings.value(64, QStringLiteral("Selected: ")) +
                QString::number(position.selected) +
                strings.value(65, QStringLiteral(" symbol(s)"));
    }
    return text;
}

} // namespace Quillorn
