#include "settings/PluginCatalog.h"

#include "settings/PluginLine.h"
#include "settings/SharedPlugin.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLibrary>
#include <QSet>

#include <algorithm>

namespace Quillorn {

namespace {

QString fileOf(const QString& line)
{
    const auto plugin = PluginLine::parse(line);
    return plugin ? plugin->file : QString();
}

} // namespace

QList<PluginCatalog::Entry> PluginCatalog::entries(const QString& appDir, const QStringList& lines)
{
    const QString folder = appDir + QLatin1String("plug-ins/");
    QSet<QString> named;
    for (const QString& line : lines) {
        if (const QString file = fileOf(line); !file.isEmpty())
            named.insert(file);
    }

    QList<Entry> entries;
    QSet<QString> listed;
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo& info : files) {
        const QString file = info.fileName();
        const bool plugin = QLibrary::isLibrary(file) ? SharedPlugin::isPlugin(info.filePath())
                                                      : info.isExecutable();
        // A file a line names shows whatever it is: the user put it there.
        if (plugin || named.contains(file)) {
            entries.append({file, named.contains(file), false});
            listed.insert(file);
        }
    }
    for (const QString& file : named) {
        if (!listed.contains(file))
            entries.append({file, true, !QFileInfo(folder + file).isFile()});
    }
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return a.file < b.file; });
    return entries;
}

QStringList PluginCatalog::apply(const QStringList& lines, const QList<Entry>& entries)
{
    QHash<QString, bool> on;
    for (const Entry& entry : entries)
        on.insert(entry.file, entry.on);
    QStringList result;
    QSet<QString> kept;
    for (const QString& line : lines) {
        const QString file = fileOf(line);
        if (on.contains(file) && !on.value(file))
            continue;
        result.append(line);
        kept.insert(file);
    }
    for (const Entry& entry : entries) {
        if (entry.on && !kept.contains(entry.file))
            result.append(PluginLine::forFile(entry.file));
    }
    return result;
}

} // namespace Quillorn
