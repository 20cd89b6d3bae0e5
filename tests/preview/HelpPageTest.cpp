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
    void helpIsWrittenToAPageAndOpened_data();
    void helpIsWrittenToAPageAndOpened();
};

void HelpPageTest::helpIsWrittenToAPageAndOpened_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QByteArray>("charset"); // the page's own; empty: no help file
    QTest::addColumn<QString>("caption");    // one the page must explain
    QTest::newRow("english") << "english" << QByteArray("utf-8") << "Save as";
    QTest::newRow("none named: english") << "" << QByteArray("utf-8") << "Carry by words";
    QTest::newRow("russian") << "russian" << QByteArray("windows-1251")
                             << QStringLiteral("Сохранить как");
    QTest::newRow("missing help file") << "klingon" << QByteArray() << "";
}

void HelpPageTest::helpIsWrittenToAPageAndOpened()
{
    QFETCH(QString, language);
    QFETCH(QByteArray, charset);
    QFETCH(QString, caption);
    const Test::TestEnvironment environment;
    LangStrings strings;
    QVERIFY(strings.load(environment.path(QStringLiteral("languages/english/main.lng")), {}));
    Test::ScriptedPrompter prompter;
    if (charset.isEmpty())
        prompter.expectMessage(QStringLiteral("could not be read"), Prompter::Icon::Exclamation);
    QList<QUrl> opened;
    QString page;
    {
        HelpPage help(strings, prompter, [&opened](const QUrl& url) {
            opened << url;
            return true;
        });
        QCOMPARE(help.show(environment.appDir(), language), !charset.isEmpty());
        QVERIFY2(prompter.finished(), qPrintable(prompter.errors()));
        if (charset.isEmpty()) {
            QVERIFY(opened.isEmpty());
            return;
        }
        QCOMPARE(opened.size(), 1);
        page = opened.first().toLocalFile();
        QCOMPARE(QFileInfo(page).absolutePath(), TempFiles::userFolder());
        QFile written(page);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray bytes = written.readAll();
        const QString folder = language.isEmpty() ? QStringLiteral("english") : language;
        QCOMPARE(bytes, environment.readFile("languages/" + folder + "/help.lng") + "\r\n");

        // The shipped page: its own character set, CR LF lines, the captions of the menus.
        QVERIFY(bytes.contains(QByteArray("<meta charset=\"" + charset + "\">")));
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
        QStringDecoder decoder(charset.constData());
        const QString text = decoder(bytes);
        QVERIFY(!decoder.hasError() && !text.contains(QChar::ReplacementCharacter));
        QVERIFY2(text.contains(caption), qPrintable(caption));
    }
    // The pages go at exit.
    QVERIFY(!QFile::exists(page));
}

QTEST_GUILESS_MAIN(HelpPageTest)
#include "HelpPageTest.moc"
