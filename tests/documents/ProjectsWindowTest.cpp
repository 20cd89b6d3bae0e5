#include "documents/ProjectsWindow.h"
#include "platform/LangStrings.h"
#include "support/ScriptedPrompter.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillorn;
using Icon = Prompter::Icon;

class ProjectsWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void entriesCarryTheirSlot();
    void clickedEntryShowsItsPath();
    void unsavedDocumentIsRefused();
    void projectIsSavedInListOrder();
    void emptyProjectOrTargetIsReported();
    void failedWriteIsReported();

private:
    void click(QListWidget* list, int row);
    void press(ProjectsWindow& window, int button);

    std::unique_ptr<Test::TestEnvironment> m_env;
    LangStrings m_strings;
    QList<ProjectsWindow::OpenDocument> m_documents;
};

void ProjectsWindowTest::init()
{
    m_env = std::make_unique<Test::TestEnvironment>();
    QVERIFY(m_strings.load(LangStrings::languageFolder(m_env->appDir(), QString()) +
                               QLatin1String("main.lng"),
                           QString()));
    m_documents = {{0, QStringLiteral("index.html"), QStringLiteral("/w/index.html"), true},
                   {2, QStringLiteral("unknown.css"), QString(), false},
                   {3, QStringLiteral("app.js"), QStringLiteral("/w/js/app.js"), true},
                   {7, QStringLiteral("style.css"), QStringLiteral("/w/style.css"), true}};
}

void ProjectsWindowTest::click(QListWidget* list, int row)
{
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

void ProjectsWindowTest::press(ProjectsWindow& window, int button)
{
    QTest::mouseClick(window.button(button), Qt::LeftButton);
}

void ProjectsWindowTest::entriesCarryTheirSlot()
{
    QCOMPARE(ProjectsWindow::entryText(m_documents[3]), QStringLiteral("style.css\t\t\t\t7"));
    QCOMPARE(ProjectsWindow::slotOfEntry(QStringLiteral("a\tb.html\t\t\t\t12")), 12);
    QCOMPARE(ProjectsWindow::slotOfEntry(QStringLiteral("no slot")), -1);
    Test::ScriptedPrompter prompter;
    ProjectsWindow window(m_documents, m_strings, prompter, QString());
    QCOMPARE(window.objectName(), QStringLiteral("Projects"));
    QVERIFY(window.isModal());
    QCOMPARE(window.openedList()->count(), 4);
    QCOMPARE(window.openedList()->item(2)->text(), QStringLiteral("app.js\t\t\t\t3"));
    QCOMPARE(window.button(3)->text(), QStringLiteral("Save"));
}

void ProjectsWindowTest::clickedEntryShowsItsPath()
{
    Test::ScriptedPrompter prompter;
    ProjectsWindow window(m_documents, m_strings, prompter, QString());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    click(window.openedList(), 2);
    QCOMPARE(window.pathLabel()->text(), QStringLiteral("/w/js/app.js"));
    press(window, 0);
    click(window.projectList(), 0);
    QCOMPARE(window.pathLabel()->text(), QStringLiteral("/w/js/app.js"));
    QVERIFY2(prompter.finished(), qPrintable(prompter.errors()));
}

void ProjectsWindowTest::unsavedDocumentIsRefused()
{
    Test::ScriptedPrompter prompter;
    prompter.expectMessage(QStringLiteral("File isn't saved!\nSave it before add to project"),
                           Icon::Exclamation);
    ProjectsWindow window(m_documents, m_strings, prompter, QString());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    click(window.openedList(), 1);
    press(window, 0);
    QCOMPARE(window.openedList()->count(), 4);
    QCOMPARE(window.projectList()->count(), 0);
    // Nothing selected: the button does nothing.
    window.openedList()->clearSelection();
    press(window, 0);
    QCOMPARE(window.projectList()->count(), 0);
    QVERIFY2(prompter.finished(), qPrintable(prompter.errors()));
}

void ProjectsWindowTest::projectIsSavedInListOrder()
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("site.qlp"));
    Test::ScriptedPrompter prompter;
    prompter.expectSaveFile(QStringLiteral("Quillorn project file (*.qlp)"), target)
        .expectMessage(QStringLiteral("Project '") + target +
                       QStringLiteral("' successfully saved"));
    ProjectsWindow window(m_documents, m_strings, prompter, QString());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    click(window.openedList(), 3); // style.css
    press(window, 0);
    click(window.openedList(), 0); // index.html
    press(window, 0);
    click(window.openedList(), 1); // app.js, behind the unsaved unknown.css
    press(window, 0);
    // Take style.css back out, then in again: it goes to the end.
    click(window.projectList(), 0);
    press(window, 1);
    QCOMPARE(window.openedList()->count(), 2);
    click(window.openedList(), 1);
    press(window, 0);

    press(window, 2);
    QCOMPARE(window.targetBox()->text(), target);
    press(window, 3);
    QFile file(target);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("/w/index.html\r\n/w/js/app.js\r\n/w/style.css"));
    QVERIFY2(prompter.finished(), qPrintable(prompter.errors()));
}

void ProjectsWindowTest::emptyProjectOrTargetIsReported()
{
    Test::ScriptedPrompter prompter;
    prompter.expectMessage(QStringLiteral("Project hasn't files!"), Icon::Exclamation)
        .expectMessage(QStringLiteral("Select file to save in"), Icon::Exclamation);
    ProjectsWindow window(m_documents, m_strings, prompter, QString());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    press(window, 3);
    click(window.openedList(), 0);
    press(window, 0);
    press(window, 3);
    QVERIFY2(prompter.finished(), qPrintable(prompter.errors()));
}

void ProjectsWindowTest::failedWriteIsReported()
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("gone/site.qlp"));
    Test::ScriptedPrompter prompter;
    prompter.expectMessage(QStringLiteral("Could not save"), Icon::Critical);
    ProjectsWindow window(m_documents, m_strings, prompter, QString());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    click(window.openedList(), 0);
    press(window, 0);
    window.targetBox()->setText(target);
    press(window, 3);
    QVERIFY(!QFile::exists(target));
    QVERIFY2(prompter.finished(), qPrintable(prompter.errors()));
}

QTEST_MAIN(ProjectsWindowTest)
#include "ProjectsWindowTest.moc"
