#include "documents/SessionFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillorn;

namespace {

bool put(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class SessionFileTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sessionKeepsSlotOrderAndUntitledLines();
    void linesAreReadWithEitherLineEnd_data();
    void linesAreReadWithEitherLineEnd();
    void garbageAndHugeListsAreBounded();
    void listNamingItselfIsReadOnce();
    void listsNamingEachOtherEnd();
    void nestedListsOpenInPlace();
    void appendingAddsOneLine();
};

void SessionFileTest::sessionKeepsSlotOrderAndUntitledLines()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("last_session.qlp"));
    const QStringList slots = {QStringLiteral("/w/b.html"), QString(), QStringLiteral("/w/a.css")};
    QVERIFY(SessionFile::write(path, slots, QString()).ok());
    QCOMPARE(contents(path), QByteArray("/w/b.html\r\n\r\n/w/a.css"));
    QCOMPARE(SessionFile::read(path, QString()).lines, slots);

    // A document without a file reads back wherever it stands, the last slot too.
    const QList<QStringList> untitled = {{QStringLiteral("/w/b.html"), QString()},
                                         {QString()},
                                         {QString(), QString()},
                                         {QString(), QStringLiteral("/w/a.css")}};
    for (const QStringList& listed : untitled) {
        QVERIFY(SessionFile::write(path, listed, QString()).ok());
        QCOMPARE(SessionFile::read(path, QString()).lines, listed);
    }

    // No document open: an empty file, which lists nothing.
    QVERIFY(SessionFile::write(path, {}, QString()).ok());
    QCOMPARE(contents(path), QByteArray());
    const SessionFile::Listing empty = SessionFile::read(path, QString());
    QVERIFY(empty.readable);
    QVERIFY(empty.lines.isEmpty());
}

void SessionFileTest::linesAreReadWithEitherLineEnd_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("CR LF") << QByteArray("/a\r\n/b") << QStringList{"/a", "/b"};
    QTest::newRow("LF, ended") << QByteArray("/a\n/b\n") << QStringList{"/a", "/b"};
    QTest::newRow("empty line inside") << QByteArray("/a\r\n\r\n/b") << QStringList{"/a", "", "/b"};
    QTest::newRow("one empty line") << QByteArray("\r\n") << QStringList{""};
    QTest::newRow("UTF-8 path") << QByteArray("/srv/\xE6\x97\xA5.html")
                                << QStringList{QStringLiteral("/srv/日.html")};
}

void SessionFileTest::linesAreReadWithEitherLineEnd()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.qlp"));
    QVERIFY(put(path, bytes));
    QCOMPARE(SessionFile::read(path, QString()).lines, lines);
}

void SessionFileTest::garbageAndHugeListsAreBounded()
{
    QTemporaryDir dir;
    const QString binary = dir.filePath(QStringLiteral("binary.qlp"));
    QVERIFY(put(binary, QByteArrayLiteral("/ok.html\n\x01\x02\0\xFF\xFE\n/also.html\n")));
    const SessionFile::Listing garbage = SessionFile::read(binary, QString());
    QCOMPARE(garbage.lines, (QStringList{"/ok.html", "/also.html"}));
    QCOMPARE(garbage.skipped, 1);

    QByteArray many;
    for (int i = 0; i < 1500; ++i)
        many += "/site/page" + QByteArray::number(i) + ".html\r\n";
    const QString thousand = dir.filePath(QStringLiteral("many.qlp"));
    QVERIFY(put(thousand, many));
    const SessionFile::Listing capped = SessionFile::read(thousand, QString());
    QCOMPARE(capped.lines.size(), SessionFile::MaxLines);
    QVERIFY(capped.truncated);
    QCOMPARE(capped.lines.last(), QStringLiteral("/site/page999.html"));

    const QString huge = dir.filePath(QStringLiteral("huge.qlp"));
    QVERIFY(put(huge, QByteArray(3 * SessionFile::MaxBytes, 'x') + "\n/end.html"));
    const SessionFile::Listing bounded = SessionFile::read(huge, QString());
    QVERIFY(bounded.truncated);
    QVERIFY(bounded.lines.isEmpty());

    QVERIFY(!SessionFile::read(dir.filePath(QStringLiteral("missing.qlp")), QString()).readable);
}

void SessionFileTest::listNamingItselfIsReadOnce()
{
    QTemporaryDir dir;
    const QString self = dir.filePath(QStringLiteral("self.qlp"));
    // Named once as written and once through another spelling of the same file.
    const QString other = dir.path() + QStringLiteral("/./SELF.QLP");
    QVERIFY(QFile::link(self, dir.filePath(QStringLiteral("SELF.QLP"))));
    QVERIFY(SessionFile::write(
                self, {QStringLiteral("/w/a.html"), self, other, QStringLiteral("/w/b.html")},
                QString())
                .ok());
    const SessionFile::Expansion expansion = SessionFile::expand(self, QString());
    QVERIFY(expansion.readable);
    QCOMPARE(expansion.documents, (QStringList{"/w/a.html", "/w/b.html"}));
    QCOMPARE(expansion.loops, (QStringList{self, other}));
}

void SessionFileTest::listsNamingEachOtherEnd()
{
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.qlp"));
    const QString b = dir.filePath(QStringLiteral("b.qlp"));
    QVERIFY(SessionFile::write(a, {QStringLiteral("/a.html"), b}, QString()).ok());
    QVERIFY(SessionFile::write(b, {QStringLiteral("/b.html"), a, b}, QString()).ok());
    const SessionFile::Expansion expansion = SessionFile::expand(a, QString());
    QCOMPARE(expansion.documents, (QStringList{"/a.html", "/b.html"}));
    QCOMPARE(expansion.loops.size(), 2);
}

void SessionFileTest::nestedListsOpenInPlace()
{
    QTemporaryDir dir;
    const QString inner = dir.filePath(QStringLiteral("inner.qlp"));
    const QString outer = dir.filePath(QStringLiteral("outer.qlp"));
    QVERIFY(
        SessionFile::write(inner, {QStringLiteral("/2.html"), QStringLiteral("/3.html")}, QString())
            .ok());
    QVERIFY(
        SessionFile::write(outer,
                           {QStringLiteral("/1.html"), inner, QString(),
                            dir.filePath(QStringLiteral("missing.qlp")), QStringLiteral("/4.html")},
                           QString())
            .ok());
    const SessionFile::Expansion expansion = SessionFile::expand(outer, QString());
    QCOMPARE(expansion.documents, (QStringList{"/1.html", "/2.html", "/3.html", "", "/4.html"}));
    QVERIFY(expansion.loops.isEmpty());
}

void SessionFileTest::appendingAddsOneLine()
{
    QTemporaryDir dir;
    const QString project = dir.filePath(QStringLiteral("p.qlp"));
    QVERIFY(SessionFile::appendEntry(project, QStringLiteral("/a.html"), QString()).ok());
    QVERIFY(SessionFile::appendEntry(project, QStringLiteral("/b.html"), QString()).ok());
    QCOMPARE(contents(project), QByteArray("/a.html\r\n/b.html"));
    // A list edited by hand that ends with a line end gets no empty line.
    QVERIFY(put(project, "/a.html\n"));
    QVERIFY(SessionFile::appendEntry(project, QStringLiteral("/c.html"), QString()).ok());
    QCOMPARE(contents(project), QByteArray("/a.html\n/c.html"));
}

QTEST_GUILESS_MAIN(SessionFileTest)
#include "SessionFileTest.moc"
