#include "setup/PayloadWriter.h"
#include "setup/core/PayloadFormat.h"
#include "setup/core/PayloadReader.h"

#include <QTest>

using namespace Quillorn;

namespace {

const QByteArray M = QByteArray::fromStdString(PayloadFormat::marker());
const QByteArray S = QByteArray::fromStdString(PayloadFormat::separator());

// A program, the marker twice, `list`, and each of `files` behind a separator.
QByteArray installer(const QByteArray& list, const QList<QByteArray>& files,
                     const QByteArray& program = "\177ELF program")
{
    QByteArray bytes = program + M + M + list + S;
    for (const QByteArray& file : files)
        bytes += file + S;
    return bytes + "\r\n";
}

} // namespace

class PayloadTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readerPairsNamesWithFilesOrRefuses_data();
    void readerPairsNamesWithFilesOrRefuses();
    void writerRefusesWhatCannotBeReadBack_data();
    void writerRefusesWhatCannotBeReadBack();
};

void PayloadTest::readerPairsNamesWithFilesOrRefuses_data()
{
    using Failure = PayloadReader::Failure;
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Failure>("failure");
    QTest::addColumn<QStringList>("paths");
    QTest::addColumn<QList<QByteArray>>("contents");

    const QByteArray two = installer("quillorn/languages\\english\\main.lng/", {"A\r\nB", "C"});
    QTest::newRow("two files, folders joined by backslashes")
        << two << Failure::None << QStringList{"quillorn", "languages/english/main.lng"}
        << QList<QByteArray>{"A\r\nB", "C"};
    QTest::newRow("an empty file") << installer("templates\\Empty.txt/", {""}) << Failure::None
                                   << QStringList{"templates/Empty.txt"} << QList<QByteArray>{""};
    QTest::newRow("no files") << installer("", {}) << Failure::None << QStringList()
                              << QList<QByteArray>();
    QTest::newRow("the marker inside the program part")
        << installer("a/", {"x"}, "program " + M + " text " + S + " more") << Failure::None
        << QStringList{"a"} << QList<QByteArray>{"x"};
    QTest::newRow("fewer names than pieces")
        << installer("a/", {"1", "2"}) << Failure::Damaged << QStringList() << QList<QByteArray>();
    QTest::newRow("more names than pieces")
        << installer("a/b/", {"1"}) << Failure::Damaged << QStringList() << QList<QByteArray>();
    QTest::newRow("cut short inside the last file")
        << two.left(two.size() - S.size() - 3) << Failure::Damaged << QStringList()
        << QList<QByteArray>();
    QTest::newRow("cut short inside the list")
        << two.left(two.indexOf("languages")) << Failure::Damaged << QStringList()
        << QList<QByteArray>();
    QTest::newRow("no marker") << two.mid(two.lastIndexOf(M) + M.size()) << Failure::Damaged
                               << QStringList() << QList<QByteArray>();
    for (const char* name :
         {"\\etc\\passwd", "..\\outside", "a\\..\\..\\outside", "a\\\\b", "a\\.\\b", "line\nbreak"})
        QTest::newRow(name) << installer("ok/" + QByteArray(name) + "/", {"1", "2"})
                            << Failure::UnsafeName << QStringList() << QList<QByteArray>();
}

void PayloadTest::readerPairsNamesWithFilesOrRefuses()
{
    QFETCH(QByteArray, bytes);
    QFETCH(PayloadReader::Failure, failure);
    QFETCH(QStringList, paths);
    QFETCH(QList<QByteArray>, contents);
    const PayloadReader::Result result =
        PayloadReader::read({bytes.constData(), size_t(bytes.size())});
    QCOMPARE(result.failure, failure);
    QStringList gotPaths;
    QList<QByteArray> gotContents;
    for (const PayloadReader::File& file : result.files) {
        gotPaths.append(QString::fromStdString(file.path));
        gotContents.append(QByteArray(file.bytes.data(), qsizetype(file.bytes.size())));
    }
    QCOMPARE(gotPaths, paths);
    QCOMPARE(gotContents, contents);
}

void PayloadTest::writerRefusesWhatCannotBeReadBack_data()
{
    QTest::addColumn<QByteArray>("program");
    QTest::addColumn<QStringList>("paths");
    QTest::addColumn<QList<QByteArray>>("contents");
    QTest::addColumn<QString>("refused"); // empty: accepted

    QTest::newRow("plain files") << QByteArray("program") << QStringList{"a", "b/c"}
                                 << QList<QByteArray>{"1", ""} << QString();
    QTest::newRow("the separator in a file") << QByteArray("program") << QStringList{"a", "b"}
                                             << QList<QByteArray>{"1", "x" + S + "y"} << "b holds";
    QTest::newRow("the marker in a file")
        << QByteArray("program") << QStringList{"a"} << QList<QByteArray>{M} << "a holds";
    QTest::newRow("a file ending like the separator")
        << QByteArray("program") << QStringList{"a", "b"} << QList<QByteArray>{S.chopped(1), "2"}
        << "a and the pieces";
    QTest::newRow("names that spell the separator")
        << QByteArray("program") << QStringList{"p", "NewFile", "p2"}
        << QList<QByteArray>{"1", "2", "3"} << "read back";
    QTest::newRow("a backslash in a name") << QByteArray("program") << QStringList{"a\\b"}
                                           << QList<QByteArray>{"1"} << "cannot be carried";
    QTest::newRow("the marker in the program")
        << QByteArray("pro" + M + "gram") << QStringList{"a"} << QList<QByteArray>{"1"} << "marker";
}

void PayloadTest::writerRefusesWhatCannotBeReadBack()
{
    QFETCH(QByteArray, program);
    QFETCH(QStringList, paths);
    QFETCH(QList<QByteArray>, contents);
    QFETCH(QString, refused);
    QList<PayloadWriter::File> files;
    for (qsizetype i = 0; i < paths.size(); ++i)
        files.append({paths.at(i), contents.at(i)});
    const PayloadWriter::Result result = PayloadWriter::compose(program, files);
    if (!refused.isEmpty()) {
        QVERIFY2(result.error.contains(refused), qPrintable(result.error));
        return;
    }
    QVERIFY2(result.ok(), qPrintable(result.error));
    QCOMPARE(result.installer, installer("a/b\\c/", {"1", ""}, program));
}

QTEST_GUILESS_MAIN(PayloadTest)
#include "PayloadTest.moc"
