#include "documents/LineDiff.h"

#include <QTest>

using namespace Quillorn;
using Kind = LineDiff::Kind;

class LineDiffTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fewestChangesWithContext_data();
    void fewestChangesWithContext();
    void textsDifferingThroughoutAreListedWhole();
};

namespace {

// "-2:0 b" for a removed line, "+0:2 x" for an added one, " 1:1 a" for an unchanged one and
// "..." for left-out lines, one per line.
QString shown(const LineDiff::Result& result)
{
    QStringList out;
    for (const LineDiff::Line& line : result.lines) {
        if (line.kind == Kind::Skipped) {
            out.append(QStringLiteral("..."));
            continue;
        }
        const QChar mark = line.kind == Kind::Removed ? u'-'
                           : line.kind == Kind::Added ? u'+'
                                                      : u' ';
        out.append(QStringLiteral("%1%2:%3 %4")
                       .arg(mark)
                       .arg(line.oldNumber)
                       .arg(line.newNumber)
                       .arg(line.text));
    }
    return out.join(QLatin1Char('|'));
}

QString lines(int from, int to)
{
    QStringList out;
    for (int i = from; i <= to; ++i)
        out.append(QString::number(i));
    return out.join(QLatin1Char('\n'));
}

} // namespace

void LineDiffTest::fewestChangesWithContext_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("expected");
    QTest::newRow("equal, whatever the line ends") << "a\r\nb\r\n"
                                                   << "a\nb\n"
                                                   << "";
    QTest::newRow("one line changed among many")
        << lines(1, 20) << lines(1, 9) + "\nnine\n" + lines(11, 20)
        << "...| 7:7 7| 8:8 8| 9:9 9|-10:0 10|+0:10 nine| 11:11 11| 12:12 12| 13:13 13|...";
    QTest::newRow("added at the start, removed at the end") << "a\nb\nc"
                                                            << "new\na\nb"
                                                            << "+0:1 new| 1:2 a| 2:3 b|-3:0 c";
    QTest::newRow("a line end added at the end") << "a\nb"
                                                 << "a\nb\n"
                                                 << " 1:1 a| 2:2 b|+0:3 ";
    QTest::newRow("changes closer than the context share it")
        << "a\nb\nc\nd\ne"
        << "a\nx\nc\nd\ny"
        << " 1:1 a|-2:0 b|+0:2 x| 3:3 c| 4:4 d|-5:0 e|+0:5 y";
    QTest::newRow("repeated lines: two changes, not four") << "a\nb\na\nb"
                                                           << "b\na\nb\na"
                                                           << "-1:0 a| 2:1 b| 3:2 a| 4:3 b|+0:4 a";
    QTest::newRow("everything removed") << "a\nb"
                                        << ""
                                        << "-1:0 a|-2:0 b|+0:1 ";
}

void LineDiffTest::fewestChangesWithContext()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(QString, expected);
    const LineDiff::Result result =
        LineDiff::compare(LineDiff::splitLines(before), LineDiff::splitLines(after));
    QCOMPARE(shown(result), expected);
    QVERIFY(!result.approximate);
}

void LineDiffTest::textsDifferingThroughoutAreListedWhole()
{
    // More differing lines than the search allows: the differing middle as removed, then as
    // added, between the unchanged first and last lines.
    QStringList before{QStringLiteral("top")};
    QStringList after{QStringLiteral("top")};
    for (int i = 0; i < LineDiff::MaxEdits; ++i) {
        before.append(QStringLiteral("old %1").arg(i));
        after.append(QStringLiteral("new %1").arg(i));
    }
    before.append(QStringLiteral("end"));
    after.append(QStringLiteral("end"));
    const LineDiff::Result result = LineDiff::compare(before, after);
    QVERIFY(result.approximate);
    QCOMPARE(result.lines.size(), 2 * LineDiff::MaxEdits + 2);
    QCOMPARE(result.lines[1].kind, Kind::Removed);
    QCOMPARE(result.lines[1].text, QStringLiteral("old 0"));
    QCOMPARE(result.lines[LineDiff::MaxEdits + 1].kind, Kind::Added);
    QCOMPARE(result.lines[LineDiff::MaxEdits + 1].newNumber, 2);
    QCOMPARE(result.lines.constLast().text, QStringLiteral("end"));
}

QTEST_APPLESS_MAIN(LineDiffTest)
#include "LineDiffTest.moc"
