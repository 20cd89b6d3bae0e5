#include "documents/RecentFiles.h"

#include <QTest>

using namespace Quillorn;

class RecentFilesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void newestFirstOldestDropped();
    void sameFileTwiceHoldsTwoEntries();
    void menuStopsAtTheFirstEmptySlot();
};

void RecentFilesTest::newestFirstOldestDropped()
{
    RecentFiles::List files;
    RecentFiles recent(files);
    for (int i = 1; i <= 7; ++i)
        recent.addToRecent(QStringLiteral("/d/%1.html").arg(i));
    QCOMPARE(files[0], QStringLiteral("/d/7.html"));
    QCOMPARE(files[5], QStringLiteral("/d/2.html"));
}

void RecentFilesTest::sameFileTwiceHoldsTwoEntries()
{
    RecentFiles::List files;
    RecentFiles recent(files);
    recent.addToRecent(QStringLiteral("/d/a.css"));
    recent.addToRecent(QStringLiteral("/d/a.css"));
    QCOMPARE(recent.menuEntries().size(), 2);
}

void RecentFilesTest::menuStopsAtTheFirstEmptySlot()
{
    RecentFiles::List files = {QStringLiteral("/w/one.html"), QStringLiteral("C:\\web\\two.php"),
                               QString(), QStringLiteral("/w/hidden.js")};
    const QList<RecentFiles::Entry> entries = RecentFiles(files).menuEntries();
    QCOMPARE(entries.size(), 2);
    QCOMPARE(entries[0].caption, QStringLiteral("one.html"));
    QCOMPARE(entries[1].caption, QStringLiteral("two.php"));
    QCOMPARE(entries[1].index, 1);
    QCOMPARE(entries[1].path, QStringLiteral("C:\\web\\two.php"));
}

QTEST_GUILESS_MAIN(RecentFilesTest)
#include "RecentFilesTest.moc"
