#include "app/PathShortener.h"

#include <QTest>

using namespace Quillorn;

class PathShortenerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void shorten_data();
    void shorten();
};

void PathShortenerTest::shorten_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("labelWidth");
    QTest::addColumn<int>("textWidth");
    QTest::addColumn<QString>("expected");
    QTest::newRow("fits") << "/home/user/site/index.html" << 300 << 200
                          << "/home/user/site/index.html";
    QTest::newRow("exactly fits") << "/a/b.html" << 90 << 90 << "/a/b.html";
    // n = 26, kept = 13, cut = 16, half = 8: 5 characters, "...", from position 21.
    QTest::newRow("half the width")
        << "/home/user/site/index.html" << 100 << 200 << "/home...x.html";
    QTest::newRow("no room") << "/home/user/site/index.html" << 0 << 200 << "...";
}

void PathShortenerTest::shorten()
{
    QFETCH(QString, path);
    QFETCH(int, labelWidth);
    QFETCH(int, textWidth);
    QFETCH(QString, expected);
    QCOMPARE(PathShortener::shorten(path, labelWidth, textWidth), expected);
}

QTEST_GUILESS_MAIN(PathShortenerTest)
#include "PathShortenerTest.moc"
