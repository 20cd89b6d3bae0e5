#pragma once

#include "settings/PluginCatalog.h"

#include <QWidget>

class QListWidget;

namespace Quillorn {

class LangStrings;
struct Settings;

// The settings window's page of plug-ins: every plug-in of the program's plug-ins folder with a
// check box that turns its "plugin" line on or off, and the files the lines name that are
// missing, shown as such until they are turned off.
class PluginsPage : public QWidget {
    Q_OBJECT
public:
    PluginsPage(const LangStrings& strings, const QString& appDir, QWidget* parent = nullptr);

    // Shows the plug-ins for the "plugin" lines of `settings`.
    void load(const Settings& settings);
    // Gives `settings` the lines the check boxes stand for.
    void store(Settings& settings) const;

private:
    const LangStrings& m_strings;
    QString m_appDir;
    QListWidget* m_list;
    QList<PluginCatalog::Entry> m_entries;
};

} // namespace Quillorn
