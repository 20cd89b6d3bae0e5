#include "uninstall/UninstallWindow.h"
#include "setup/core/SetupPlaces.h"
#include "support/ScriptedPrompter.h"
#include "support/TemporaryHome.h"
#include "uninstall/Uninstallation.h"

#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace Quillorn;
using Quillorn::Test::ScriptedPrompter;
using Quillorn::Test::TemporaryHome;

class UninstallWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void asksThenListsEveryFile_data();
    void asksThenListsEveryFile();
};

void UninstallWindowTest::asksThenListsEveryFile_data()
{
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QByteArray>("log"); // %1 for the installation folder
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("no") << false << QByteArray("%1\r\n%1a\r\n") << QStringList();
    QTest::newRow("yes") << true << QByteArray("%1\r\n%1a\r\n%1gone\r\n")
                         << QStringList{"Deleted %1a", "Can't delete %1gone"};
    QTest::newRow("yes, an empty log") << true << QByteArray() << QStringList();
}

void UninstallWindowTest::asksThenListsEveryFile()
{
    QFETCH(bool, yes);
    QFETCH(QByteArray, log);
    QFETCH(QStringList, lines);
    TemporaryHome home;
    const QString folder = home.path(QStringLiteral("Q/"));
    QVERIFY(TemporaryHome::writeFile(folder + QStringLiteral("a"), "a"));
    ScriptedPrompter prompter;
    prompter.expectYesNo(QStringLiteral("Do you want to uninstall Quillorn?\r\n"
                                        "Вы действительно хотите удалить Quillorn?"),
                         yes);
    Uninstallation work(QString::fromLatin1(log).arg(folder).toUtf8(), SetupPlaces::current());
    UninstallWindow window(prompter, work);
    QSignalSpy finished(&window, &UninstallWindow::finished);
    QCOMPARE(window.begin(), yes);
    QVERIFY2(prompter.finished(), qPrintable(prompter.errors()));
    QCOMPARE(window.isVisible(), yes);
    if (!yes) {
        QVERIFY(QFileInfo::exists(folder + QStringLiteral("a")));
        return;
    }
    QCOMPARE(window.windowTitle(), QStringLiteral("Uninstall"));
    auto* ok = window.findChild<QPushButton*>(QStringLiteral("Command1"));
    QVERIFY(!ok->isEnabled());
    QTRY_VERIFY(ok->isEnabled());
    auto* list = window.findChild<QListWidget*>(QStringLiteral("List1"));
    QStringList shown;
    for (int i = 0; i < list->count(); ++i)
        shown.append(list->item(i)->text());
    QCOMPARE(shown, lines.replaceInStrings(QStringLiteral("%1"), folder));
    if (!lines.isEmpty()) {
        QCOMPARE(window.findChild<QProgressBar*>(QStringLiteral("Bar"))->value(), 100);
        QVERIFY(!QFileInfo::exists(folder));
    }
    QTest::mouseClick(ok, Qt::LeftButton);
    QCOMPARE(finished.size(), 1);
}

QTEST_MAIN(UninstallWindowTest)
#include "UninstallWindowTest.moc"
