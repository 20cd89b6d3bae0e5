#include "settings/PluginsPage.h"

#include "platform/LangStrings.h"
#include "platform/Settings.h"

#include <QListWidget>
#include <QVBoxLayout>

namespace Quillorn {

PluginsPage::PluginsPage(const LangStrings& strings, const QString& appDir, QWidget* parent)
    : QWidget(parent)
    , m_strings(strings)
    , m_appDir(appDir)
    , m_list(new QListWidget(this))
{
    setObjectName(QStringLiteral("PluginsPage"));
    m_list->setObjectName(QStringLiteral("PluginList"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
}

void PluginsPage::load(const Settings& settings)
{
    m_entries = PluginCatalog::entries(m_appDir, settings.plugIns);
    m_list->clear();
    for (const PluginCatalog::Entry& entry : m_entries) {
        auto* item = new QListWidgetItem(
            entry.missing ? m_strings.message(Str::FileMissingNamed, entry.file) : entry.file,
            m_list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(entry.on ? Qt::Checked : Qt::Unchecked);
        item->setToolTip(m_appDir + QLatin1String("plug-ins/") + entry.file);
    }
}

void PluginsPage::store(Settings& settings) const
{
    QList<PluginCatalog::Entry> entries = m_entries;
    for (int row = 0; row < entries.size(); ++row)
        entries[row].on = m_list->item(row)->checkState() == Qt::Checked;
    settings.plugIns = PluginCatalog::apply(settings.plugIns, entries);
}

} // namespace Quillorn
