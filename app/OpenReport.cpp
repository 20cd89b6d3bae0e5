#include "app/OpenReport.h"

namespace Quillorn {

QString OpenReport::listed(const QStringList& lines, const LangStrings& strings)
{
    QString text = lines.mid(0, ListedFiles).join(QLatin1Char('\n'));
    if (lines.size() > ListedFiles)
        text += QLatin1Char('\n') +
                strings.message(Str::AndMoreFiles, QString::number(lines.size() - ListedFiles));
    return text;
}

QString OpenReport::message(const LangStrings& strings) const
{
    if (m_missing.size() == 1 && m_errors.isEmpty())
        return strings.message(Str::FileDoesNotExist);
    QStringList parts;
    if (!m_missing.isEmpty())
        parts.append(strings.message(Str::FilesDoNotExist) + QLatin1Char('\n') +
                     listed(m_missing, strings));
    if (!m_errors.isEmpty())
        parts.append(listed(m_errors, strings));
    return parts.join(QLatin1String("\n\n"));
}

} // namespace Quillorn
