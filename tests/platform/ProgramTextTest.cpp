#include "platform/ProgramText.h"

#include <QTest>

using namespace Quillorn;

class ProgramTextTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void utf8Validity_data();
    void utf8Validity();
    void decodesByLanguageWhenNotUtf8();
    void terminatedLines_data();
    void terminatedLines();
    void encodeFallsBackToUtf8();
};

void ProgramTextTest::utf8Validity_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("valid");
    QTest::newRow("ascii") << QByteArray("Main\r\n") << true;
    QTest::newRow("two-byte") << QByteArray("caf\xC3\xA9") << true;
    QTest::newRow("cut at the end") << QByteArray("abc\xD1") << false;
    QTest::newRow("cp1251 word") << QByteArray("\xD1\xE0\xE9\xF2") << false;
    QTest::newRow("empty") << QByteArray() << true;
}

void ProgramTextTest::utf8Validity()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, valid);
    QCOMPARE(ProgramText::isValidUtf8(bytes), valid);
}

void ProgramTextTest::decodesByLanguageWhenNotUtf8()
{
    QCOMPARE(ProgramText::decode("\xD1\xE0\xE9\xF2", QStringLiteral("russian")),
             QStringLiteral("Сайт"));
    QCOMPARE(ProgramText::decode("caf\xE9", QStringLiteral("english")), QStringLiteral("café"));
    QCOMPARE(ProgramText::decode("\xEF\xBB\xBFMain", QStringLiteral("english")),
             QStringLiteral("Main"));
}

void ProgramTextTest::terminatedLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("crlf") << "a\r\nb\r\n" << QStringList{"a", "b"};
    QTest::newRow("lf") << "a\nb\n" << QStringList{"a", "b"};
    QTest::newRow("unterminated last") << "a\r\nb" << QStringList{"a"};
    QTest::newRow("empty lines kept") << "\r\n\r\nc\r\n" << QStringList{"", "", "c"};
    QTest::newRow("lone cr stays in the line") << "a\rb\r\n" << QStringList{"a\rb"};
    QTest::newRow("nothing") << "" << QStringList{};
}

void ProgramTextTest::terminatedLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(ProgramText::terminatedLines(text), lines);
}

void ProgramTextTest::encodeFallsBackToUtf8()
{
    QCOMPARE(ProgramText::encode(QStringLiteral("Сайт"), QStringLiteral("russian")),
             QByteArray("\xD1\xE0\xE9\xF2"));
    // Cyrillic has no place in windows-1252: the whole text becomes UTF-8, nothing is lost.
    QCOMPARE(ProgramText::encode(QStringLiteral("Сайт"), QStringLiteral("english")),
             QStringLiteral("Сайт").toUtf8());
    QCOMPARE(ProgramText::encode(QStringLiteral("日本"), QStringLiteral("russian")),
             QStringLiteral("日本").toUtf8());
}

QTEST_GUILESS_MAIN(ProgramTextTest)
#include "ProgramTextTest.moc"
