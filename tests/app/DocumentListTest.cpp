#include "app/DocumentList.h"

#include <QSignalSpy>

#include <QTest>

using namespace Quillorn;

class DocumentListTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void handsOutSlotsInOrder();
    void reusesTheOldestFreedSlotFirst();
    void eleventhDocumentGetsNoSlot();
    void releasingTwiceKeepsOneEntry();
    void releaseClearsTheRecord();
    void changesAreSignalled();
};

void DocumentListTest::handsOutSlotsInOrder()
{
    DocumentList slots;
    QCOMPARE(slots.take(QString(), {}), 0);
    QCOMPARE(slots.take(QString(), {}), 1);
    QCOMPARE(slots.take(QString(), {}), 2);
    QVERIFY(slots.inUse(1));
    QVERIFY(!slots.inUse(3));
    QCOMPARE(slots.usedCount(), 3);
}

void DocumentListTest::reusesTheOldestFreedSlotFirst()
{
    DocumentList slots;
    for (int i = 0; i < 3; ++i)
        slots.take(QString(), {});
    slots.release(1);
    // Slot 1 waits behind 3..9, which were freed earlier.
    for (int expected = 3; expected <= 9; ++expected)
        QCOMPARE(slots.take(QString(), {}), expected);
    QCOMPARE(slots.take(QString(), {}), 1);
}

void DocumentListTest::eleventhDocumentGetsNoSlot()
{
    DocumentList slots;
    for (int i = 0; i < DocumentList::Count; ++i)
        QCOMPARE(slots.take(QString(), {}), i);
    QCOMPARE(slots.take(QString(), {}), -1);
    slots.release(9);
    QCOMPARE(slots.take(QString(), {}), 9);
}

void DocumentListTest::releasingTwiceKeepsOneEntry()
{
    DocumentList slots;
    slots.take(QString(), {});
    slots.release(0);
    slots.release(0);
    slots.release(42);
    QCOMPARE(slots.freeSlots().count(0), 1);
    QCOMPARE(slots.freeSlots().size(), DocumentList::Count);
}

void DocumentListTest::releaseClearsTheRecord()
{
    DocumentList slots;
    const int slot = slots.take(QStringLiteral("unknown.html"), {});
    slots.setPath(slot, QStringLiteral("/tmp/a.css"));
    slots.setSaved(slot, false);
    slots.release(slot);
    QVERIFY(slots[slot].path.isEmpty());
    QVERIFY(slots[slot].name.isEmpty());
    QVERIFY(slots[slot].saved);
}

void DocumentListTest::changesAreSignalled()
{
    DocumentList slots;
    QSignalSpy current(&slots, &DocumentList::currentChanged);
    QSignalSpy saved(&slots, &DocumentList::savedChanged);
    QSignalSpy path(&slots, &DocumentList::pathChanged);
    QSignalSpy closed(&slots, &DocumentList::closed);
    const int slot = slots.take(QStringLiteral("unknown.html"), {});
    QCOMPARE(slots[slot].kind, FileKind::Kind::Html);
    slots.setCurrent(slot);
    slots.setSaved(slot, false);
    slots.setSaved(slot, false); // no change, no signal
    slots.setPath(slot, QStringLiteral("/tmp/style.css"));
    QCOMPARE(slots[slot].name, QStringLiteral("style.css"));
    QCOMPARE(slots[slot].kind, FileKind::Kind::Css);
    // A forgotten file keeps the name.
    slots.setPath(slot, QString());
    QCOMPARE(slots[slot].name, QStringLiteral("style.css"));
    slots.release(slot);
    QCOMPARE(slots.current(), -1);
    QCOMPARE(current.size(), 2);
    QCOMPARE(current.at(1).at(0).toInt(), -1);
    QCOMPARE(saved.size(), 1);
    QCOMPARE(path.size(), 2);
    QCOMPARE(closed.size(), 1);
}

QTEST_GUILESS_MAIN(DocumentListTest)
#include "DocumentListTest.moc"
