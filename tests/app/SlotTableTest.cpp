#include "app/SlotTable.h"

#include <QTest>

using namespace Quillorn;

class SlotTableTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void handsOutSlotsInOrder();
    void reusesTheOldestFreedSlotFirst();
    void eleventhDocumentGetsNoSlot();
    void releasingTwiceKeepsOneEntry();
    void releaseClearsTheRecord();
};

void SlotTableTest::handsOutSlotsInOrder()
{
    SlotTable slots;
    QCOMPARE(slots.take(), 0);
    QCOMPARE(slots.take(), 1);
    QCOMPARE(slots.take(), 2);
    QVERIFY(slots.inUse(1));
    QVERIFY(!slots.inUse(3));
    QCOMPARE(slots.usedCount(), 3);
}

void SlotTableTest::reusesTheOldestFreedSlotFirst()
{
    SlotTable slots;
    for (int i = 0; i < 3; ++i)
        slots.take();
    slots.release(1);
    // Slot 1 waits behind 3..9, which were freed earlier.
    for (int expected = 3; expected <= 9; ++expected)
        QCOMPARE(slots.take(), expected);
    QCOMPARE(slots.take(), 1);
}

void SlotTableTest::eleventhDocumentGetsNoSlot()
{
    SlotTable slots;
    for (int i = 0; i < SlotTable::Count; ++i)
        QCOMPARE(slots.take(), i);
    QCOMPARE(slots.take(), -1);
    slots.release(9);
    QCOMPARE(slots.take(), 9);
}

void SlotTableTest::releasingTwiceKeepsOneEntry()
{
    SlotTable slots;
    slots.take();
    slots.release(0);
    slots.release(0);
    slots.release(42);
    QCOMPARE(slots.freeSlots().count(0), 1);
    QCOMPARE(slots.freeSlots().size(), SlotTable::Count);
}

void SlotTableTest::releaseClearsTheRecord()
{
    SlotTable slots;
    const int slot = slots.take();
    slots[slot].path = QStringLiteral("/tmp/a.html");
    slots[slot].saved = false;
    slots.release(slot);
    QVERIFY(slots[slot].path.isEmpty());
    QVERIFY(slots[slot].saved);
}

QTEST_GUILESS_MAIN(SlotTableTest)
#include "SlotTableTest.moc"
