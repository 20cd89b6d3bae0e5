#pragma once

#include "platform/QtTranslation.h"
#include "setup/core/Installation.h"
#include "setup/core/SetupPlaces.h"
#include "setup/core/SetupStrings.h"

#include <QWidget>

#include <memory>
#include <string>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStackedWidget;

namespace Quillorn {

class Prompter;

// The setup window: four stages (language, welcome, folder, ready), then the progress of the
// installation and its end, with Next, Back and Exit. Every caption comes from the installer's
// own strings in the language chosen on the first page; Qt's dialogs follow it.
class SetupWizard : public QWidget {
    Q_OBJECT

public:
    // The wizard's stages 0 to 5, in their order.
    enum class Stage { LanguagePage, WelcomePage, FolderPage, ReadyPage, Installing, Finished };

    // `installerPath` is the file that carries the payload: the installer's own.
    SetupWizard(Prompter& prompter, const Installation::Choice& initial, SetupPlaces places,
                QString installerPath, QWidget* parent = nullptr);
    ~SetupWizard() override;

    Stage stage() const { return m_stage; }

Q_SIGNALS:
    // The program is to end with `exitCode`: after Finish, Exit or a failed installation.
    void finished(int exitCode);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void next();
    void back();
    void exit();
    void browse();
    void setStage(Stage stage);
    void applyLanguage();
    SetupLanguage language() const;
    void startInstallation();
    void runStep();
    void fail(const std::string& message);
    // The text of `str` in the chosen language.
    QString caption(SetupStr str) const;

    Prompter& m_prompter;
    SetupPlaces m_places;
    QString m_installerPath;
    SetupStrings m_strings{SetupLanguage::English};
    QtTranslation m_qtTranslation;
    Stage m_stage = Stage::LanguagePage;
    std::unique_ptr<Installation> m_installation;

    QStackedWidget* m_pages = nullptr;
    QList<QGroupBox*> m_frames;
    QListWidget* m_lang = nullptr;
    QLabel* m_selectLanguage = nullptr;
    QLabel* m_welcome = nullptr;
    QPlainTextEdit* m_description = nullptr;
    QLabel* m_selectFolder = nullptr;
    QLineEdit* m_text1 = nullptr;
    QPushButton* m_browse = nullptr;
    QCheckBox* m_check1 = nullptr;
    QLabel* m_ready = nullptr;
    QLabel* m_progress = nullptr;
    QProgressBar* m_bar = nullptr;
    QLabel* m_prg = nullptr;
    QLabel* m_action = nullptr;
    QLabel* m_completed = nullptr;
    QPushButton* m_back = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_exit = nullptr;
};

} // namespace Quillorn
