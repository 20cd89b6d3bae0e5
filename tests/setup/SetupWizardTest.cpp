#include "setup/SetupWizard.h"
#include "setup/core/PayloadFormat.h"
#include "support/ScriptedPrompter.h"
#include "support/TemporaryHome.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>

using namespace Quillorn;
using Quillorn::Test::ScriptedPrompter;
using Quillorn::Test::TemporaryHome;
using Stage = SetupWizard::Stage;

namespace {

template <typename T> T* control(const SetupWizard& wizard, const char* name)
{
    return wizard.findChild<T*>(QLatin1String(name));
}

void click(const SetupWizard& wizard, const char* button)
{
    QTest::mouseClick(control<QPushButton>(wizard, button), Qt::LeftButton);
}

QString frameTitle(const SetupWizard& wizard)
{
    return static_cast<QGroupBox*>(wizard.findChild<QStackedWidget*>()->currentWidget())->title();
}

} // namespace

class SetupWizardTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pagesFollowTheButtonsInTheChosenLanguage();
    void installsFromItsPayloadOrTellsWhyNot_data();
    void installsFromItsPayloadOrTellsWhyNot();
};

void SetupWizardTest::pagesFollowTheButtonsInTheChosenLanguage()
{
    ScriptedPrompter prompter;
    SetupWizard wizard(prompter, {"/opt/q/", SetupLanguage::English, true}, SetupPlaces::current(),
                       QString());
    QSignalSpy finished(&wizard, &SetupWizard::finished);
    wizard.show();
    QCOMPARE(wizard.windowTitle(), QStringLiteral("Setup of Quillorn 2"));
    QCOMPARE(frameTitle(wizard), QStringLiteral("Stage 1 of 4"));
    QVERIFY(!control<QPushButton>(wizard, "Back")->isEnabled());

    auto* lang = control<QListWidget>(wizard, "Lang");
    QTest::mouseClick(lang->viewport(), Qt::LeftButton, {},
                      lang->visualItemRect(lang->item(1)).center());
    QCOMPARE(frameTitle(wizard), QStringLiteral("Этап 1 из 4"));
    QCOMPARE(control<QPushButton>(wizard, "Next")->text(), QStringLiteral("Далее"));
    // Qt's own buttons follow the language.
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Отмена"));

    click(wizard, "Next");
    QCOMPARE(wizard.stage(), Stage::WelcomePage);
    QVERIFY(control<QPlainTextEdit>(wizard, "Description")
                ->toPlainText()
                .endsWith(QStringLiteral("\n\nВерсия продукта: 2.59")));
    click(wizard, "Back");
    QCOMPARE(wizard.stage(), Stage::LanguagePage);
    click(wizard, "Next");
    click(wizard, "Next");
    QCOMPARE(frameTitle(wizard), QStringLiteral("Этап 3 из 4"));

    // "...": the chosen folder gets Quillorn below it; a cancelled dialog changes nothing.
    prompter.expectFolder(QStringLiteral("Выберите директорию"), QStringLiteral("/home/u"))
        .expectFolder(QString(), QString());
    auto* folder = control<QLineEdit>(wizard, "Text1");
    QCOMPARE(folder->text(), QStringLiteral("/opt/q/"));
    click(wizard, "Browse");
    QCOMPARE(folder->text(), QStringLiteral("/home/u/Quillorn/"));
    click(wizard, "Browse");
    QCOMPARE(folder->text(), QStringLiteral("/home/u/Quillorn/"));
    folder->clear();
    QVERIFY(!control<QPushButton>(wizard, "Next")->isEnabled());
    QTest::keyClicks(folder, QStringLiteral("/srv/q/"));
    click(wizard, "Next");
    QCOMPARE(wizard.stage(), Stage::ReadyPage);

    prompter.expectYesNo(QStringLiteral("Вы действительно хотите выйти?"), false)
        .expectYesNo(QStringLiteral("Вы действительно хотите выйти?"), true);
    click(wizard, "Exit");
    QCOMPARE(finished.size(), 0);
    click(wizard, "Exit");
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.first().first().toInt(), 0);
    QVERIFY2(prompter.finished(), qPrintable(prompter.errors()));
}

void SetupWizardTest::installsFromItsPayloadOrTellsWhyNot_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QString>("message"); // empty: the installation runs through
    QTest::newRow("two files") << QByteArray("a.txt/sub\\b.txt/") << QString();
    QTest::newRow("damaged") << QByteArray("a.txt/") << QStringLiteral("installer is damaged");
}

void SetupWizardTest::installsFromItsPayloadOrTellsWhyNot()
{
    QFETCH(QByteArray, list);
    QFETCH(QString, message);
    TemporaryHome home;
    home.enter();
    const QString installer = home.path(QStringLiteral("quillsetup"));
    const QByteArray m = QByteArray::fromStdString(PayloadFormat::marker());
    const QByteArray s = QByteArray::fromStdString(PayloadFormat::separator());
    QVERIFY(TemporaryHome::writeFile(installer,
                                     "program" + m + m + list + s + "A" + s + "B" + s + "\r\n"));
    const QString folder = home.path(QStringLiteral("Q/"));

    ScriptedPrompter prompter;
    if (!message.isEmpty())
        prompter.expectMessage(message, Prompter::Icon::Critical);
    SetupWizard wizard(prompter,
                       {QFile::encodeName(folder).toStdString(), SetupLanguage::English, false},
                       SetupPlaces::current(), installer);
    QSignalSpy finished(&wizard, &SetupWizard::finished);
    wizard.show();
    for (int page = 0; page < 4; ++page)
        click(wizard, "Next");
    if (!message.isEmpty()) {
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished.first().first().toInt(), 1);
        QVERIFY(!QFileInfo::exists(folder));
        QVERIFY2(prompter.finished(), qPrintable(prompter.errors()));
        return;
    }
    QCOMPARE(wizard.stage(), Stage::Installing);
    QVERIFY(!control<QPushButton>(wizard, "Back")->isEnabled());
    QVERIFY(!control<QPushButton>(wizard, "Exit")->isEnabled());
    QTRY_COMPARE_WITH_TIMEOUT(wizard.stage(), Stage::Finished, 20000);
    QCOMPARE(control<QProgressBar>(wizard, "Bar")->value(), 100);
    QCOMPARE(control<QLabel>(wizard, "PRG")->text(), QStringLiteral("100%"));
    QCOMPARE(frameTitle(wizard), QStringLiteral("Setup"));
    QCOMPARE(TemporaryHome::readFile(folder + QStringLiteral("sub/b.txt")), QByteArray("B"));
    QVERIFY(!QFileInfo::exists(home.path(QStringLiteral("Desktop/Quillorn.desktop"))));
    QCOMPARE(finished.size(), 0);
    QCOMPARE(control<QPushButton>(wizard, "Next")->text(), QStringLiteral("Finish"));
    click(wizard, "Next");
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.first().first().toInt(), 0);
    QVERIFY2(prompter.finished(), qPrintable(prompter.errors()));
}

QTEST_MAIN(SetupWizardTest)
#include "SetupWizardTest.moc"
