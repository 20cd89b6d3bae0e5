#include "support/MainWindowDriver.h"

#include "app/MainWindow.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTabBar>
#include <QTest>
#include <QTimer>

namespace Quillorn::Test {

namespace {

void lookForMessageBox(std::function<void(QMessageBox*)> act, int triesLeft)
{
    QTimer::singleShot(10, qApp, [act = std::move(act), triesLeft] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box && box->isVisible()) {
            act(box);
        } else if (triesLeft > 0) {
            lookForMessageBox(act, triesLeft - 1);
        } else {
            for (QWidget* top : QApplication::topLevelWidgets()) {
                if (auto* stray = qobject_cast<QMessageBox*>(top))
                    stray->reject();
            }
        }
    });
}

} // namespace

bool MainWindowDriver::show(MainWindow& window, QSize size)
{
    if (size.isValid())
        window.resize(size);
    window.show();
    QApplication::setActiveWindow(&window);
    return QTest::qWaitForWindowExposed(&window);
}

void MainWindowDriver::openThroughDialog(AppFixture& fixture, MainWindow& window,
                                         const QString& path)
{
    fixture.prompter.expectOpenFile(QString(), path);
    window.menus().openOld->trigger();
}

void MainWindowDriver::clickTab(MainWindow& window, int index)
{
    QTabBar* strip = window.tabStrip();
    QTest::mouseClick(strip, Qt::LeftButton, {}, strip->tabRect(index).center());
}

void MainWindowDriver::typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

QByteArray MainWindowDriver::fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void MainWindowDriver::whenMessageBoxShows(std::function<void(QMessageBox*)> act)
{
    // About a minute of looking, for a loaded machine.
    lookForMessageBox(std::move(act), 6000);
}

} // namespace Quillorn::Test
