#include "support/MainWindowDriver.h"

#include "app/MainWindow.h"

#include <QApplication>
#include <QFile>
#include <QTabBar>
#include <QTest>

namespace Quillorn::Test {

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

} // namespace Quillorn::Test
