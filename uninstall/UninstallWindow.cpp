#include "uninstall/UninstallWindow.h"

#include "platform/Prompter.h"
#include "uninstall/UninstallTexts.h"
#include "uninstall/Uninstallation.h"

#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace Quillorn {

UninstallWindow::UninstallWindow(Prompter& prompter, Uninstallation& work, QWidget* parent)
    : QWidget(parent)
    , m_prompter(prompter)
    , m_work(work)
{
    setWindowTitle(UninstallTexts::title());
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("Bar"));
    m_bar->setRange(0, 100);
    m_list1 = new QListWidget(this);
    m_list1->setObjectName(QStringLiteral("List1"));
    m_command1 = new QPushButton(QStringLiteral("OK"), this);
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_bar);
    layout->addWidget(m_list1);
    layout->addWidget(m_command1, 0, Qt::AlignRight);
    connect(m_command1, &QPushButton::clicked, this, &UninstallWindow::finished);
    resize(560, 360);
}

bool UninstallWindow::begin()
{
    if (!m_prompter.askYesNo(UninstallTexts::question(), UninstallTexts::title()))
        return false;
    show();
    m_bar->setValue(0);
    QTimer::singleShot(0, this, &UninstallWindow::removeNext);
    return true;
}

void UninstallWindow::removeNext()
{
    if (!m_work.hasFolder() || m_work.atEnd()) {
        m_work.removeRest();
        m_command1->setEnabled(true);
        return;
    }
    const Uninstallation::Removal removal = m_work.removeNext();
    m_bar->setValue(removal.bar);
    m_list1->addItem(removal.line);
    m_list1->scrollToBottom();
    QTimer::singleShot(0, this, &UninstallWindow::removeNext);
}

} // namespace Quillorn
