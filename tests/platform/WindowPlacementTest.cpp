#include "platform/WindowPlacement.h"

#include <QScreen>
#include <QTest>

using namespace Quillorn;

class WindowPlacementTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void windowLandsOverItsParentInsideTheScreen_data();
    void windowLandsOverItsParentInsideTheScreen();
    void shownToolWindowOpensOverItsParent();
};

void WindowPlacementTest::windowLandsOverItsParentInsideTheScreen_data()
{
    QTest::addColumn<QRect>("parent");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QRect>("expected");
    const QRect screen(0, 0, 1280, 1024);
    QTest::newRow("centred") << QRect(100, 100, 800, 600) << QSize(400, 300) << screen
                             << QRect(300, 250, 400, 300);
    QTest::newRow("parent off the left edge")
        << QRect(-600, 100, 800, 600) << QSize(400, 300) << screen << QRect(0, 250, 400, 300);
    QTest::newRow("parent off the right edge")
        << QRect(1000, 100, 800, 600) << QSize(400, 300) << screen << QRect(880, 250, 400, 300);
    QTest::newRow("parent under a top panel")
        << QRect(100, -500, 800, 600) << QSize(400, 300) << QRect(0, 32, 1280, 992)
        << QRect(300, 32, 400, 300);
    QTest::newRow("parent off the bottom edge")
        << QRect(100, 900, 800, 600) << QSize(400, 300) << screen << QRect(300, 724, 400, 300);
    QTest::newRow("window larger than the screen")
        << QRect(100, 100, 800, 600) << QSize(1600, 1200) << screen << QRect(0, 0, 1280, 1024);
    QTest::newRow("window wider than the screen")
        << QRect(100, 100, 800, 600) << QSize(1600, 300) << screen << QRect(0, 250, 1280, 300);
    QTest::newRow("second screen") << QRect(2900, 500, 400, 300) << QSize(400, 300)
                                   << QRect(1280, 0, 1920, 1080) << QRect(2800, 500, 400, 300);
}

void WindowPlacementTest::windowLandsOverItsParentInsideTheScreen()
{
    QFETCH(QRect, parent);
    QFETCH(QSize, window);
    QFETCH(QRect, available);
    QTEST(WindowPlacement::placed(parent, window, available), "expected");
}

void WindowPlacementTest::shownToolWindowOpensOverItsParent()
{
    QWidget parent;
    const QRect available = parent.screen()->availableGeometry();
    parent.setGeometry(available.right() - 200, available.top() + 100, 400, 300);
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    QWidget tool(&parent, Qt::Tool);
    tool.resize(300, 200);
    WindowPlacement::keepOverParent(&tool);
    tool.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tool));
    QVERIFY(available.contains(tool.frameGeometry()));
    QCOMPARE(tool.frameGeometry().right(), available.right());
    QCOMPARE(tool.frameGeometry().center().y(), parent.frameGeometry().center().y());
}

QTEST_MAIN(WindowPlacementTest)
#include "WindowPlacementTest.moc"
