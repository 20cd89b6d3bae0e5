#pragma once

#include <QWidget>

class QListWidget;
class QProgressBar;
class QPushButton;

namespace Quillorn {

class Prompter;
class Uninstallation;

// The uninstaller's window: asked first whether to go on, it shows the progress bar, a line
// for each logged file as it is deleted or not, and OK, which can be pressed once the work is
// done.
class UninstallWindow : public QWidget {
    Q_OBJECT

public:
    UninstallWindow(Prompter& prompter, Uninstallation& work, QWidget* parent = nullptr);

    // Asks whether to uninstall; on Yes shows the window and removes the installation, a
    // logged file a step, the window answering in between. False on No.
    bool begin();

Q_SIGNALS:
    // The work is done and OK was pressed.
    void finished();

private:
    void removeNext();

    Prompter& m_prompter;
    Uninstallation& m_work;
    QProgressBar* m_bar = nullptr;
    QListWidget* m_list1 = nullptr;
    QPushButton* m_command1 = nullptr;
};

} // namespace Quillorn
