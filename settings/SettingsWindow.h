#pragma once

#include "platform/Str.h"
#include "settings/FileAssociations.h"
#include "settings/SettingsDraft.h"

#include <QDialog>
#include <QList>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QTabWidget;

namespace Quillorn {

class LangStrings;
class PhpProbe;
class PluginsPage;
class Prompter;

// The settings window (SettingsF): edits a copy of the settings (language, preview mode and
// server, PHP, Tidy, the last session, external programs) and hands it back on OK; the
// extension boxes associate file types with the editor at once.
class SettingsWindow : public QDialog {
    Q_OBJECT

public:
    struct Context {
        QString appDir;
        const Settings& settings;
        const LangStrings& strings;
        Prompter& prompter;
    };

    // The pages, in their order.
    enum class Page { Main, Browser, Extensions, PlugIns };

    explicit SettingsWindow(const Context& context, QWidget* parent = nullptr);

    // Shows the window at `page` and brings it to the front.
    void showPage(Page page);

    QTabWidget* tabs() const { return m_tabs; }
    // The copy being edited.
    SettingsDraft& draft() { return m_draft; }

    void accept() override;

Q_SIGNALS:
    // OK was pressed: `edited` is to take the place of the settings.
    void settingsChosen(const Quillorn::Settings& edited);

private:
    QWidget* buildMainPage();
    QWidget* buildBrowserPage();
    QWidget* buildExtensionsPage();
    QWidget* buildAssociations(QWidget* parent);
    QString text(Str id) const;

    void browsePhp();
    void browseFolder();
    void browseProgram();
    void showProgram(int row);
    void addProgram();
    void deleteProgram();
    void fillProgramList();
    // Ticks each extension box when the extension is associated in the chosen mode.
    void readAssociations();
    void extensionToggled(int index, bool on);

    SettingsDraft m_draft;
    QString m_appDir;
    const LangStrings& m_strings;
    Prompter& m_prompter;
    FileAssociations m_associations;
    PhpProbe* m_probe;
    PluginsPage* m_plugIns = nullptr;

    QTabWidget* m_tabs = nullptr;
    QListWidget* m_languages = nullptr;
    QCheckBox* m_openLastSession = nullptr;
    QCheckBox* m_useTidy = nullptr;
    QLineEdit* m_phpPath = nullptr;
    QLabel* m_phpVersion = nullptr;
    QRadioButton* m_diskMode = nullptr;
    QRadioButton* m_serverMode = nullptr;
    QLineEdit* m_pathToHttpd = nullptr;
    QLineEdit* m_serverAddress = nullptr;
    QListWidget* m_programs = nullptr;
    // Name, DDE message, program, path to program, division.
    QList<QLineEdit*> m_programFields;
    QList<QCheckBox*> m_extensionBoxes;
    QRadioButton* m_asDefault = nullptr;
    QRadioButton* m_separateMenu = nullptr;
};

} // namespace Quillorn
