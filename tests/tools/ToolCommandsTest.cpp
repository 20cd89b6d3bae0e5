#include "tools/ToolCommands.h"
#include "app/FileCommands.h"
#include "app/MainWindow.h"
#include "editing/CheckMarkers.h"
#include "support/BrowserTestMain.h"
#include "support/MainWindowDriver.h"
#include "tools/CheckWindow.h"
#include "tools/SaveCheck.h"

#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>

using namespace Quillorn;
using Tidy = ToolCommands::TidyCommand;
using Php = ToolCommands::PhpCommand;

// The Tidy and PHP commands on a real main window, with the real programs.
class ToolCommandsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void tidyConvertsInOneUndoStep_data();
    void tidyConvertsInOneUndoStep();
    void checkShowsTheReportWithLinks();
    void phpCommands_data();
    void phpCommands();
    void failingProgramsLeaveTheDocument_data();
    void failingProgramsLeaveTheDocument();
    void cancelEndsTheRun();
    void checkAfterSavingMarksTheNamedLines_data();
    void checkAfterSavingMarksTheNamedLines();
};

namespace {

const QByteArray BrokenPage = "<html><head><title>t</title></head><body>\n<p>a <b>b</p>\n"
                              "</body></html>";

struct Session {
    Test::AppFixture f;
    MainWindow window{f.context};

    bool open(const QString& name, const QByteArray& bytes)
    {
        if (!Test::MainWindowDriver::show(window))
            return false;
        Test::MainWindowDriver::openThroughDialog(f, window, f.document(name, bytes));
        return window.currentDocument().bytes() == bytes;
    }
    bool finish(const std::function<void()>& command)
    {
        QSignalSpy done(&window.tools(), &ToolCommands::done);
        command();
        return done.wait(60000);
    }
    QString report() const
    {
        const CheckWindow* check = window.tools().checkWindow();
        return check ? check->findChild<QTextBrowser*>(QStringLiteral("Status"))->toPlainText()
                     : QString();
    }
};

} // namespace

void ToolCommandsTest::tidyConvertsInOneUndoStep_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("expected");
    QTest::newRow("correct") << int(Tidy::Correct) << "<p>a <b>b</b></p>";
    QTest::newRow("upper case") << int(Tidy::UpperCase) << "<P>a <B>b</B></P>";
    QTest::newRow("XHTML") << int(Tidy::ToXhtml) << "<html xmlns=\"http://www.w3.org/1999/xhtml\">";
    QTest::newRow("HTML") << int(Tidy::ToHtml) << "<!DOCTYPE html>";
}

void ToolCommandsTest::tidyConvertsInOneUndoStep()
{
    QFETCH(int, command);
    QFETCH(QString, expected);
    Session s;
    QVERIFY(s.open(QStringLiteral("page.html"), BrokenPage));
    QVERIFY(s.finish([&] { s.window.tools().convert(Tidy(command)); }));
    const QString text = s.window.currentDocument().text();
    QVERIFY2(text.contains(expected), qPrintable(text));
    // The page alone: no generator line, no message, nothing after the end of the page.
    QVERIFY(!text.contains(QLatin1String("generator"), Qt::CaseInsensitive));
    QVERIFY(!text.contains(QLatin1String("Warning")));
    QVERIFY(text.endsWith(QLatin1String("</html>"), Qt::CaseInsensitive));
    s.window.editor()->undo();
    QCOMPARE(s.window.currentDocument().bytes(), BrokenPage);
    QVERIFY2(s.f.prompter.finished(), qPrintable(s.f.prompter.errors()));
}

void ToolCommandsTest::checkShowsTheReportWithLinks()
{
    Session s;
    QVERIFY(s.open(QStringLiteral("page.html"), BrokenPage));
    QVERIFY(s.finish([&] { s.window.tools().checkDocument(); }));
    const QString report = s.report();
    QVERIFY2(report.contains(QLatin1String("line 2 column 6 - Warning: missing </b> before </p>")),
             qPrintable(report));
    // Cut at the first empty line: the notes after the summary stay out.
    QVERIFY(report.contains(QLatin1String("Tidy found")));
    QVERIFY(!report.contains(QLatin1String("About HTML Tidy")));

    // A message's link leads to its place, also from another document.
    QVERIFY(s.open(QStringLiteral("other.html"), "x"));
    Q_EMIT s.window.tools().checkWindow()->lineActivated(2, 6);
    QCOMPARE(s.window.currentDocument().path(), s.f.env.path(QStringLiteral("docs/page.html")));
    int line = 0;
    int index = 0;
    s.window.editor()->getCursorPosition(&line, &index);
    QCOMPARE(line, 1);
    QCOMPARE(index, 5);
}

void ToolCommandsTest::phpCommands_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QString>("report");       // the text view's, when it shows
    QTest::addColumn<QByteArray>("compacted"); // the document after Compact
    QTest::newRow("check, valid") << int(Php::Check) << QByteArray("<?php\necho 1;\n")
                                  << "No syntax errors find" << QByteArray();
    QTest::newRow("check, broken")
        << int(Php::Check) << QByteArray("<?php\necho 1\necho 2;\n") << "on line 3" << QByteArray();
    QTest::newRow("execute") << int(Php::Execute)
                             << QByteArray("<html><?php echo 6 * 7; ?></html>after") << QString()
                             << QByteArray();
    QTest::newRow("compact") << int(Php::Compact)
                             << QByteArray("<?php // note\n\n  echo  1 ; /* c */\n") << QString()
                             << QByteArray("<?php  echo 1 ; ");
}

void ToolCommandsTest::phpCommands()
{
    QFETCH(int, command);
    QFETCH(QByteArray, script);
    QFETCH(QString, report);
    QFETCH(QByteArray, compacted);
    Session s;
    s.f.context.settings.phpPath = QStringLiteral("/usr/bin/php");
    QVERIFY(s.open(QStringLiteral("script.php"), script));
    QVERIFY(s.finish([&] { s.window.tools().runPhp(Php(command)); }));
    if (!compacted.isEmpty()) {
        QCOMPARE(s.window.currentDocument().bytes(), compacted);
        s.window.editor()->undo();
        QCOMPARE(s.window.currentDocument().bytes(), script);
    } else if (!report.isEmpty()) {
        QVERIFY2(s.report().contains(report), qPrintable(s.report()));
    } else {
        QVERIFY(s.window.tools().checkWindow()->isBrowserShown());
    }
    QVERIFY2(s.f.prompter.finished(), qPrintable(s.f.prompter.errors()));
}

void ToolCommandsTest::failingProgramsLeaveTheDocument_data()
{
    QTest::addColumn<QString>("php"); // empty: a Tidy conversion
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QString>("message");
    QTest::newRow("Tidy finds errors it cannot mend")
        << QString() << QByteArray("<p>x</b></i></p>") << "Tidy ended with an error (exit code 2)";
    QTest::newRow("PHP missing") << "/nonexistent/php" << QByteArray("<?php\n")
                                 << "PHP was not found";
    QTest::newRow("PHP is a folder") << "/usr" << QByteArray("<?php\n") << "Is a directory";
    QTest::newRow("PHP path with a blank, not PHP")
        << "/bin/false x" << QByteArray("<?php\n") << "PHP was not found";
}

void ToolCommandsTest::failingProgramsLeaveTheDocument()
{
    QFETCH(QString, php);
    QFETCH(QByteArray, page);
    QFETCH(QString, message);
    Session s;
    s.f.context.settings.phpPath = php;
    QVERIFY(s.open(QStringLiteral("page.xml"), page));
    s.f.prompter.expectMessage(message, Prompter::Icon::Exclamation);
    QVERIFY(s.finish([&] {
        if (php.isEmpty())
            s.window.tools().convert(Tidy::ToXml);
        else
            s.window.tools().runPhp(Php::Compact);
    }));
    QCOMPARE(s.window.currentDocument().bytes(), page);
    QVERIFY(s.window.currentDocument().isSaved());
    QVERIFY2(s.f.prompter.finished(), qPrintable(s.f.prompter.errors()));
}

void ToolCommandsTest::cancelEndsTheRun()
{
    Session s;
    s.f.context.settings.phpPath = QStringLiteral("/usr/bin/php");
    QVERIFY(s.open(QStringLiteral("slow.php"), "<?php sleep(600);\n"));
    QSignalSpy done(&s.window.tools(), &ToolCommands::done);
    s.window.tools().runPhp(Php::Execute);
    QSignalSpy started(s.window.tools().checkWindow(), &CheckWindow::progressDone);
    QVERIFY(started.wait(10000));
    Q_EMIT s.window.tools().checkWindow()->cancelRequested();
    QVERIFY(done.wait(10000));
    QVERIFY2(s.report().contains(QLatin1String("PHP was stopped")), qPrintable(s.report()));
    QVERIFY(!s.window.tools().isBusy());
}

void ToolCommandsTest::checkAfterSavingMarksTheNamedLines_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("broken");
    QTest::addColumn<int>("line"); // counted from 0
    QTest::addColumn<bool>("error");
    QTest::addColumn<QByteArray>("mended");
    const QByteArray head = "<!DOCTYPE html>\n<html><head><title>t</title></head><body>\n";
    QTest::newRow("Tidy") << "page.html" << head + "<p>a <b>b</p>\n</body></html>\n"
                          << 2 << false << head + "<p>a <b>b</b></p>\n</body></html>\n";
    QTest::newRow("PHP") << "script.php" << QByteArray("<?php\necho 1\necho 2;\n") << 2 << true
                         << QByteArray("<?php\necho 1;\necho 2;\n");
}

void ToolCommandsTest::checkAfterSavingMarksTheNamedLines()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, broken);
    QFETCH(int, line);
    QFETCH(bool, error);
    QFETCH(QByteArray, mended);
    Session s;
    s.f.context.settings.phpPath = QStringLiteral("/usr/bin/php");
    QVERIFY(s.open(name, broken));
    s.window.menus().checkAfterSaving->trigger();
    Editor* editor = s.window.editor();
    const auto saveAndWait = [&] {
        QSignalSpy checked(&s.window.saveCheck(), &SaveCheck::checked);
        return s.window.files().save() && checked.wait(30000);
    };
    QVERIFY(saveAndWait());
    // No check window: the result is in the margin only.
    QVERIFY(!s.window.tools().checkWindow());
    QList<CheckMarkers::Mark> marks = editor->checkMarkers().marks();
    QCOMPARE(marks.size(), 1);
    QCOMPARE(marks[0].line, line);
    QCOMPARE(marks[0].error, error);
    QVERIFY2(s.window.statusText().contains(QLatin1String("line")),
             qPrintable(s.window.statusText()));

    // The mark moves with lines put in above it, stays with its document, and F8 goes there.
    editor->SendScintilla(QsciScintillaBase::SCI_INSERTTEXT, 0UL, "\n\n");
    QVERIFY(s.open(QStringLiteral("other.txt"), "x"));
    QVERIFY(editor->checkMarkers().marks().isEmpty());
    Test::MainWindowDriver::clickTab(s.window, 0);
    marks = editor->checkMarkers().marks();
    QCOMPARE(marks.size(), 1);
    QCOMPARE(marks[0].line, line + 2);
    QCOMPARE(editor->checkMarkers().messagesAt(line + 2), marks[0].message);
    QTest::keyClick(editor, Qt::Key_F8);
    QCOMPARE(s.window.currentDocument().caretLine(), line + 2);

    // A clean check clears the marks.
    s.window.currentDocument().replaceText(QString::fromUtf8(mended));
    QVERIFY(saveAndWait());
    QVERIFY(editor->checkMarkers().marks().isEmpty());
    QCOMPARE(s.window.statusText(), QStringLiteral("The check found nothing to report."));
    QVERIFY2(s.f.prompter.finished(), qPrintable(s.f.prompter.errors()));
}

QUILLORN_BROWSER_TEST_MAIN(ToolCommandsTest)
#include "ToolCommandsTest.moc"
