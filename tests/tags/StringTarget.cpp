#include "tags/StringTarget.h"

namespace Quillorn::Test {

StringTarget::StringTarget(const QString& text, qsizetype selectionStart, qsizetype selectionLength)
    : m_text(text)
    , m_start(selectionStart < 0 ? text.size() : selectionStart)
    , m_length(selectionLength)
{
}

void StringTarget::select(const QString& part)
{
    m_start = m_text.indexOf(part);
    m_length = part.size();
}

QString StringTarget::selectedText() const
{
    return m_text.mid(m_start, m_length);
}

void StringTarget::replaceSelection(const QString& text)
{
    m_text.replace(m_start, m_length, text);
    m_start += text.size();
    m_length = 0;
}

void StringTarget::insert2Tag(const QString& tag)
{
    const QString selected = selectedText();
    replaceSelection(QLatin1Char('<') + tag + QLatin1Char('>') + selected + QLatin1String("</") +
                     tag + QLatin1Char('>'));
    ++m_focusRequests;
}

} // namespace Quillorn::Test
