#include "editing/StatusLine.h"

#include "platform/LangStrings.h"

namespace Quillorn {

QString StatusLine::caption(const LangStrings& strings, const Position& position)
{
    QString text = strings.value(Str::StatusLine, QStringLiteral("Line: ")) +
                   QString::number(position.line) + QLatin1String("  ") +
                   strings.value(Str::StatusSymbol, QStringLiteral("Symbol: ")) +
                   QString::number(position.column);
    if (position.selected >= 1) {
        text += QLatin1String("  ") +
                strings.value(Str::StatusSelected, QStringLiteral("Selected: ")) +
                QString::number(position.selected) +
                strings.value(Str::StatusSymbols, QStringLiteral(" symbol(s)"));
    }
    return text;
}

} // namespace Quillorn
