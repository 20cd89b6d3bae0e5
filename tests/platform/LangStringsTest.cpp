#include "platform/LangStrings.h"
#include "support/TestEnvironment.h"

#include <QTest>

using namespace Quillorn;

class LangStringsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void emptyLanguageIsEnglish();
    void shippedFilesHaveAllStrings_data();
    void shippedFilesHaveAllStrings();
    void lastLineWithoutLineEndIsLost();
    void missingFileKeepsTheTable();
    void messagesReplaceBreaksAndPlaceholder();
};

void LangStringsTest::emptyLanguageIsEnglish()
{
    QCOMPARE(LangStrings::languageFolder(QStringLiteral("/opt/q/"), QString()),
             QStringLiteral("/opt/q/languages/english/"));
    QCOMPARE(LangStrings::languageFolder(QStringLiteral("/opt/q"), QStringLiteral("russian")),
             QStringLiteral("/opt/q/languages/russian/"));
}

void LangStringsTest::shippedFilesHaveAllStrings_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("string0");
    QTest::addColumn<QString>("string134");
    QTest::newRow("english") << "english"
                             << "Main"
                             << "Save session";
    QTest::newRow("russian") << "russian"
                             << "Главная"
                             << "Сохранить сессию";
}

void LangStringsTest::shippedFilesHaveAllStrings()
{
    QFETCH(QString, language);
    QFETCH(QString, string0);
    QFETCH(QString, string134);
    Test::TestEnvironment env;
    LangStrings strings;
    QVERIFY(strings.load(
        LangStrings::languageFolder(env.appDir(), language) + QLatin1String("main.lng"), language));
    QCOMPARE(strings.count(), 135);
    QCOMPARE(strings.value(0), string0);
    QCOMPARE(strings.value(134), string134);
    // Every string the interface shows is there; only the seven spare lines may be empty.
    for (int i = 0; i < 135; ++i) {
        if (i < 81 || i > 87)
            QVERIFY2(!strings.value(i).isEmpty(), qPrintable(QString::number(i)));
    }
    QCOMPARE(strings.value(62).endsWith(QLatin1Char(' ')), true);
}

void LangStringsTest::lastLineWithoutLineEndIsLost()
{
    Test::TestEnvironment env(Test::TestEnvironment::Languages::None);
    QVERIFY(env.writeFile(QStringLiteral("main.lng"), "Main\r\nTools\nSettings"));
    LangStrings strings;
    QVERIFY(strings.load(env.path(QStringLiteral("main.lng")), QString()));
    QCOMPARE(strings.count(), 2);
    QCOMPARE(strings.value(1), QStringLiteral("Tools"));
    QVERIFY(!strings.text(2).has_value());
    QCOMPARE(strings.value(2, QStringLiteral("kept")), QStringLiteral("kept"));
}

void LangStringsTest::missingFileKeepsTheTable()
{
    Test::TestEnvironment env(Test::TestEnvironment::Languages::None);
    QVERIFY(env.writeFile(QStringLiteral("main.lng"), "One\r\n"));
    LangStrings strings;
    QVERIFY(strings.load(env.path(QStringLiteral("main.lng")), QString()));
    QVERIFY(!strings.load(env.path(QStringLiteral("missing.lng")), QString()));
    QCOMPARE(strings.value(0), QStringLiteral("One"));
}

void LangStringsTest::messagesReplaceBreaksAndPlaceholder()
{
    Test::TestEnvironment env;
    LangStrings strings;
    QVERIFY(strings.load(env.path(QStringLiteral("languages/english/main.lng")), QString()));
    QCOMPARE(strings.message(131), QStringLiteral("Project not saved!\nSave it first"));
    QCOMPARE(
        strings.message(116),
        QStringLiteral("Type name of the template with extension\nExample:\nTemplate name.html"));
    QCOMPARE(strings.message(129, QStringLiteral("/tmp/p.qlp")),
             QStringLiteral("Project '/tmp/p.qlp' successfully saved"));
}

QTEST_GUILESS_MAIN(LangStringsTest)
#include "LangStringsTest.moc"
