#include "documents/RecentFiles.h"

#include "platform/AppPaths.h"

namespace Quillorn {

void RecentFiles::addToRecent(const QString& path)
{
    for (std::size_t i = m_files.size() - 1; i > 0; --i)
        m_files[i] = m_files[i - 1];
    m_files[0] = path;
}

QList<RecentFiles::Entry> RecentFiles::menuEntries() const
{
    QList<Entry> entries;
    for (std::size_t i = 0; i < m_files.size() && !m_files[i].isEmpty(); ++i)
        entries.append({int(i), AppPaths::fileName(m_files[i]), m_files[i]});
    return entries;
}

} // namespace Quillorn
