#include "editing/StatusLine.h"
#include "platform/LangStrings.h"
#include "support/TestEnvironment.h"

#include <QTest>

using namespace Quillorn;

class StatusLineTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void captionFromLanguageStrings_data();
    void captionFromLanguageStrings();
};

void StatusLineTest::captionFromLanguageStrings_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<qint64>("line");
    QTest::addColumn<qint64>("column");
    QTest::addColumn<qint64>("selected");
    QTest::addColumn<QString>("expected");
    QTest::newRow("start") << "english" << 1LL << 0LL << 0LL << "Line: 1  Symbol: 0";
    QTest::newRow("selection") << "english" << 3LL << 5LL << 10LL
                               << "Line: 3  Symbol: 5  Selected: 10 symbol(s)";
    QTest::newRow("one selected") << "english" << 12LL << 0LL << 1LL
                                  << "Line: 12  Symbol: 0  Selected: 1 symbol(s)";
    QTest::newRow("no table: English") << "" << 2LL << 4LL << 0LL << "Line: 2  Symbol: 4";
}

void StatusLineTest::captionFromLanguageStrings()
{
    QFETCH(QString, language);
    QFETCH(qint64, line);
    QFETCH(qint64, column);
    QFETCH(qint64, selected);
    QFETCH(QString, expected);
    Test::TestEnvironment env;
    LangStrings strings;
    if (!language.isEmpty()) {
        QVERIFY(strings.load(LangStrings::languageFolder(env.appDir(), language) +
                                 QLatin1String("main.lng"),
                             language));
    }
    QCOMPARE(StatusLine::caption(strings, {line, column, selected}), expected);
}

QTEST_APPLESS_MAIN(StatusLineTest)
#include "StatusLineTest.moc"
