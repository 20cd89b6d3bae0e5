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
    QTest::addColumn<QString>("stringLast");
    QTest::newRow("english") << "english"
                             << "Main"
                             << "The selection holds code the text editor cannot keep (PHP, "
                                "scripts, styles or comments), so it was not taken.";
    QTest::newRow("russian")
        << "russian"
        << "Главная"
        << "Выделенный текст содержит код, который текстовый редактор не сохранит (PHP, сценарии, "
           "стили или комментарии), поэтому он не был взят.";
}

void LangStringsTest::shippedFilesHaveAllStrings()
{
    QFETCH(QString, language);
    QFETCH(QString, string0);
    QFETCH(QString, stringLast);
    Test::TestEnvironment env;
    LangStrings strings;
    QVERIFY(strings.load(
        LangStrings::languageFolder(env.appDir(), language) + QLatin1String("main.lng"), language));
    QCOMPARE(strings.count(), int(Str::Last) + 1);
    QCOMPARE(strings.value(Str::MenuMain), string0);
    QCOMPARE(strings.value(Str::Last), stringLast);
    // Every string the interface shows is there; only the seven spare lines may be empty.
    for (int i = 0; i < strings.count(); ++i) {
        if (i < 81 || i > 87)
            QVERIFY2(!strings.value(Str(i)).isEmpty(), qPrintable(QString::number(i)));
    }
    QCOMPARE(strings.value(Str::StatusLine).endsWith(QLatin1Char(' ')), true);
}

void LangStringsTest::lastLineWithoutLineEndIsLost()
{
    Test::TestEnvironment env(Test::TestEnvironment::Languages::None);
    QVERIFY(env.writeFile(QStringLiteral("main.lng"), "Main\r\nTools\nSettings"));
    LangStrings strings;
    QVERIFY(strings.load(env.path(QStringLiteral("main.lng")), QString()));
    QCOMPARE(strings.count(), 2);
    QCOMPARE(strings.value(Str::MenuTools), QStringLiteral("Tools"));
    QVERIFY(!strings.text(Str::MenuSettings).has_value());
    QCOMPARE(strings.value(Str::MenuSettings, QStringLiteral("kept")), QStringLiteral("kept"));
}

void LangStringsTest::missingFileKeepsTheTable()
{
    Test::TestEnvironment env(Test::TestEnvironment::Languages::None);
    QVERIFY(env.writeFile(QStringLiteral("main.lng"), "One\r\n"));
    LangStrings strings;
    QVERIFY(strings.load(env.path(QStringLiteral("main.lng")), QString()));
    QVERIFY(!strings.load(env.path(QStringLiteral("missing.lng")), QString()));
    QCOMPARE(strings.value(Str::MenuMain), QStringLiteral("One"));
}

void LangStringsTest::messagesReplaceBreaksAndPlaceholder()
{
    Test::TestEnvironment env;
    LangStrings strings;
    QVERIFY(strings.load(env.path(QStringLiteral("languages/english/main.lng")), QString()));
    QCOMPARE(strings.message(Str::ProjectNotSaved),
             QStringLiteral("Project not saved!\nSave it first"));
    QCOMPARE(
        strings.message(Str::TemplateNamePrompt),
        QStringLiteral("Type name of the template with extension\nExample:\nTemplate name.html"));
    QCOMPARE(strings.message(Str::ProjectSaved, QStringLiteral("/tmp/p.qlp")),
             QStringLiteral("Project '/tmp/p.qlp' successfully saved"));
    // Both places filled in one pass: an argument holding "%2" stays as it is.
    QCOMPARE(strings.message(Str::SaveFailed, QStringLiteral("a%2"), QStringLiteral("b")),
             QStringLiteral("Could not save a%2: b."));
}

QTEST_GUILESS_MAIN(LangStringsTest)
#include "LangStringsTest.moc"
