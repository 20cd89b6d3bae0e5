#include "preview/HelpPage.h"

#include "platform/LangStrings.h"
#include "platform/TempFiles.h"
#include "support/ScriptedPrompter.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTest>

using namespace Quillorn;

class HelpPageTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void shippedHelpPagesAreWellFormed_data();
    void shippedHelpPagesAreWellFormed();
    void helpIsWrittenToAPageAndOpened_data();
    void helpIsWrittenToAPageAndOpened();
};

void HelpPageTest::shippedHelpPagesAreWellFormed_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QByteArray>("charset");
    QTest::addColumn<QString>("word"); // a caption the page must explain
    QTest::newRow("english") << "english" << QByteArray("utf-8") << "Save as";
    QTest::newRow("russian") << "russian" << QByteArray("windows-1251")
                             << QStringLiteral("Сохранить как");
}

void HelpPageTest::shippedHelpPagesAreWellFormed()
{
    QFETCH(QString, language);
    QFETCH(QByteArray, charset);
    QFETCH(QString, word);
    QFile file(QStringLiteral(QUILLORN_SHIPPED_DATA "/languages/") + language +
               QLatin1String("/help.lng"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.contains(QByteArray("<meta charset=\"" + charset + "\">")));
    // Every line ends in CR LF.
    QCOMPARE(bytes.count("\n"), bytes.count("\r\n"));
    QCOMPARE(bytes.count("\r"), bytes.count("\r\n"));
    QStringDecoder decoder(charset.constData());
    const QString text = decoder(bytes);
    QVERIFY(!decoder.hasError());
    QVERIFY(!text.contains(QChar::ReplacementCharacter));
    QVERIFY2(text.contains(word), qPrintable(word));
    QVERIFY(text.contains(QLatin1String("</html>")));
}

void HelpPageTest::helpIsWrittenToAPageAndOpened_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("present");
    QTest::newRow("english") << "english" << true;
    QTest::newRow("russian") << "russian" << true;
    QTest::newRow("no language named: english") << "" << true;
    QTest::newRow("missing help file") << "klingon" << false;
}

void HelpPageTest::helpIsWrittenToAPageAndOpened()
{
    QFETCH(QString, language);
    QFETCH(bool, present);
    const Test::TestEnvironment environment;
    LangStrings strings;
    QVERIFY(strings.load(environment.path(QStringLiteral("languages/english/main.lng")),
                         QStringLiteral("english")));
    Test::ScriptedPrompter prompter;
    if (!present)
        prompter.expectMessage(QStringLiteral("could not be read"), Prompter::Icon::Exclamation);
    QList<QUrl> opened;
    QString page;
    {
        HelpPage help(strings, prompter, [&opened](const QUrl& url) {
            opened << url;
            return true;
        });
        QCOMPARE(help.show(environment.appDir(), language), present);
        QVERIFY2(prompter.finished(), qPrintable(prompter.errors()));
        if (!present) {
            QVERIFY(opened.isEmpty());
            return;
        }
        QCOMPARE(opened.size(), 1);
        page = opened.first().toLocalFile();
        QCOMPARE(QFileInfo(page).absolutePath(), TempFiles::userFolder());
        QVERIFY(page.endsWith(QLatin1String(".html")));
        const QString folder = language.isEmpty() ? QStringLiteral("english") : language;
        QFile written(page);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), environment.readFile(QLatin1String("languages/") + folder +
                                                         QLatin1String("/help.lng")) +
                                        "\r\n");
        // A second Help gives a page of its own; the first stays for the browser showing it.
        QVERIFY(help.show(environment.appDir(), language));
        QCOMPARE(opened.size(), 2);
        QVERIFY(opened.at(1) != opened.at(0));
        QVERIFY(QFile::exists(page));
    }
    // The pages go at exit.
    QVERIFY(!QFile::exists(page));
}

QTEST_GUILESS_MAIN(HelpPageTest)
#include "HelpPageTest.moc"
