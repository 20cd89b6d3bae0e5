#include "tags/ToolbarInserter.h"

#include "platform/LangStrings.h"
#include "platform/Prompter.h"
#include "tags/FontChoice.h"
#include "tags/TagTarget.h"
#include "tags/ToolbarAction.h"

#include <optional>

namespace Quillorn {

ToolbarInserter::ToolbarInserter(TagTarget& target, Prompter& prompter, const LangStrings& strings)
    : m_target(target)
    , m_prompter(prompter)
    , m_strings(strings)
{
}

bool ToolbarInserter::run(const ToolbarAction& action)
{
    using Kind = ToolbarAction::Kind;
    switch (action.kind) {
    case Kind::InsertTag:
        m_target.insert2Tag(action.text);
        return true;
    case Kind::Insert:
        m_target.replaceSelection(action.text);
        return true;
    case Kind::Wrap:
        m_target.replaceSelection(action.text + m_target.selectedText() + action.closing);
        return true;
    case Kind::Prompted: {
        QStringList values;
        const QString title = m_strings.value(action.toolTip);
        for (const Str prompt : action.prompts) {
            const std::optional<QString> value = m_prompter.input(m_strings.value(prompt), title);
            if (!value)
                return false;
            values.append(*value);
        }
        m_target.replaceSelection(fill(action.text, values, m_target.selectedText()));
        return true;
    }
    case Kind::ReferenceTree:
    case Kind::Font:
        break;
    }
    return false;
}

void ToolbarInserter::insertFont(const FontChoice& choice)
{
    m_target.replaceSelection(choice.insertionText(m_target.selectedText()));
}

QString ToolbarInserter::fill(const QString& pattern, const QStringList& values,
                              const QString& selection)
{
    QString result;
    qsizetype pos = 0;
    while (pos < pattern.size()) {
        const qsizetype open = pattern.indexOf(QLatin1Char('{'), pos);
        const qsizetype close = open < 0 ? -1 : pattern.indexOf(QLatin1Char('}'), open);
        if (close < 0) {
            result += pattern.mid(pos);
            break;
        }
        result += pattern.mid(pos, open - pos);
        const QString name = pattern.mid(open + 1, close - open - 1);
        bool isNumber = false;
        const int number = name.toInt(&isNumber);
        if (name == QLatin1String("sel")) {
            result += selection;
        } else if (isNumber && number >= 1 && number <= values.size()) {
            result += values.at(number - 1);
        } else {
            // A brace that does not open a field (script code) is part of the text.
            result += QLatin1Char('{');
            pos = open + 1;
            continue;
        }
        pos = close + 1;
    }
    return result;
}

} // namespace Quillorn
