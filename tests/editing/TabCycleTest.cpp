#include "editing/TabCycle.h"

#include <QTest>

using namespace Quillorn;

namespace {
TabCycle::Visibility visibleTabs(std::initializer_list<int> tabs)
{
    TabCycle::Visibility visible{};
    for (int tab : tabs)
        visible[static_cast<std::size_t>(tab)] = true;
    return visible;
}
} // namespace

class TabCycleTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void movesToVisibleTabs_data();
    void movesToVisibleTabs();
};

void TabCycleTest::movesToVisibleTabs_data()
{
    QTest::addColumn<TabCycle::Visibility>("visible");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("next");
    QTest::addColumn<int>("previous");
    QTest::newRow("only tab 0") << visibleTabs({0}) << 0 << 0 << 0;
    QTest::newRow("0 3 7, from 7") << visibleTabs({0, 3, 7}) << 7 << 0 << 3;
    QTest::newRow("0 3 7, from 0") << visibleTabs({0, 3, 7}) << 0 << 3 << 7;
    QTest::newRow("0 3 7, from 3") << visibleTabs({0, 3, 7}) << 3 << 7 << 0;
    QTest::newRow("9 and 1, from 9") << visibleTabs({1, 9}) << 9 << 1 << 1;
    QTest::newRow("all ten, from 9") << visibleTabs({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}) << 9 << 0 << 8;
    QTest::newRow("current hidden (just closed)") << visibleTabs({2, 5}) << 4 << 5 << 2;
}

void TabCycleTest::movesToVisibleTabs()
{
    QFETCH(TabCycle::Visibility, visible);
    QFETCH(int, current);
    QFETCH(int, next);
    QFETCH(int, previous);
    QCOMPARE(TabCycle::next(visible, current), next);
    QCOMPARE(TabCycle::previous(visible, current), previous);
}

QTEST_APPLESS_MAIN(TabCycleTest)
#include "TabCycleTest.moc"
