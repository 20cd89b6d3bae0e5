#include "settings/MimeAppsList.h"

namespace Quillorn {

namespace {

bool isGroupHeader(const QString& line)
{
    return line.startsWith(QLatin1Char('['));
}

} // namespace

MimeAppsList::MimeAppsList(const QString& text)
{
    if (text.isEmpty())
        return;
    m_lines = text.split(QLatin1Char('\n'));
    // The last line end gives an empty piece that is no line of the file.
    if (m_lines.last().isEmpty())
        m_lines.removeLast();
}

std::pair<int, int> MimeAppsList::groupLines(const QString& group) const
{
    const QString header = QLatin1Char('[') + group + QLatin1Char(']');
    for (int i = 0; i < m_lines.size(); ++i) {
        if (m_lines.at(i).trimmed() != header)
            continue;
        int end = i + 1;
        while (end < m_lines.size() && !isGroupHeader(m_lines.at(end)))
            ++end;
        return {i + 1, end};
    }
    return {-1, -1};
}

int MimeAppsList::keyLine(const QString& group, const QString& mimeType) const
{
    const auto [first, end] = groupLines(group);
    for (int i = first; i >= 0 && i < end; ++i) {
        const QString& line = m_lines.at(i);
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq > 0 && line.left(eq).trimmed() == mimeType)
            return i;
    }
    return -1;
}

QStringList MimeAppsList::applications(const QString& group, const QString& mimeType) const
{
    const int line = keyLine(group, mimeType);
    if (line < 0)
        return {};
    const QString& text = m_lines.at(line);
    QStringList result;
    for (const QString& piece :
         text.mid(text.indexOf(QLatin1Char('=')) + 1).split(QLatin1Char(';'))) {
        if (!piece.trimmed().isEmpty())
            result.append(piece.trimmed());
    }
    return result;
}

void MimeAppsList::setApplications(const QString& group, const QString& mimeType,
                                   const QStringList& applications)
{
    const int line = keyLine(group, mimeType);
    if (applications.isEmpty()) {
        if (line >= 0)
            m_lines.removeAt(line);
        return;
    }
    const QString entry =
        mimeType + QLatin1Char('=') + applications.join(QLatin1Char(';')) + QLatin1Char(';');
    if (line >= 0) {
        m_lines[line] = entry;
        return;
    }
    auto [first, end] = groupLines(group);
    if (first < 0) {
        if (!m_lines.isEmpty() && !m_lines.last().trimmed().isEmpty())
            m_lines.append(QString());
        m_lines.append(QLatin1Char('[') + group + QLatin1Char(']'));
        m_lines.append(entry);
        return;
    }
    // After the group's last entry, before the blank lines that part it from the next group.
    while (end > first && m_lines.at(end - 1).trimmed().isEmpty())
        --end;
    m_lines.insert(end, entry);
}

QString MimeAppsList::text() const
{
    QString result;
    for (const QString& line : m_lines)
        result += line + QLatin1Char('\n');
    return result;
}

} // namespace Quillorn
