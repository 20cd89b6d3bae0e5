#include "app/EditCommands.h"
#include "app/FileCommands.h"
#include "app/MainWindow.h"
#include "documents/FindInFilesWindow.h"
#include "support/MainWindowDriver.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>

using namespace Quillorn;
using S = QsciScintillaBase;

// The main window as a user drives it: documents in their tab slots, switching, closing with
// and without unsaved changes, the window title, the keys that move between tabs and the close
// of the whole window.
namespace {

using Fixture = Test::AppFixture;
using Test::MainWindowDriver;

void clickCloseButton(MainWindow& window)
{
    auto* button = window.findChild<QToolButton*>(QStringLiteral("CloseTabButton"));
    QTest::mouseClick(button, Qt::LeftButton);
}

QList<int> visibleTabs(const MainWindow& window)
{
    QList<int> tabs;
    for (int i = 0; i < window.tabStrip()->count(); ++i) {
        if (window.tabStrip()->isTabVisible(i))
            tabs.append(i);
    }
    return tabs;
}

QByteArray numberedLines(const char* prefix, int count)
{
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += prefix + QByteArray::number(i) + "\r\n";
    return text;
}

} // namespace

class MainWindowDocumentsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void slotsAreReusedOldestFreedFirst();
    void eleventhDocumentIsDroppedSilently_data();
    void eleventhDocumentIsDroppedSilently();
    void closingAsksOnlyAboutUnsavedChanges_data();
    void closingAsksOnlyAboutUnsavedChanges();
    void closeAllAsksForEachModifiedDocumentInTabOrder();
    void editorStaysHiddenAfterCloseUntilATabIsClicked();
    void switchingKeepsCaretSelectionAndScrollOfEachDocument();
    void ctrlTabCyclesThroughVisibleTabsWithWrapAround();
    void undoHistoryStaysWithItsDocument();
    void findInFilesReplacesEachOpenDocumentAsOneUndoStep();
    void findInFilesOpensAFolderMatchAtItsLine();
    void newEditKeysReachTheMenuFromTheEditor();
    void saveAllWritesEveryDocumentAndComesBack();
    void pathLabelShortensLongPaths();
    void titleShowsTheCurrentDocumentAndUnsavedMark();
    void closingTheWindowAsksAboutEachUnsavedDocument_data();
    void closingTheWindowAsksAboutEachUnsavedDocument();
    void enterUsesTheDocumentsLineEnd_data();
    void enterUsesTheDocumentsLineEnd();
    void commandsWithoutAShownDocumentChangeNothing();
    void droppedFileOpens_data();
    void droppedFileOpens();
    void statusLineSpeaksTheInterfaceLanguage_data();
    void statusLineSpeaksTheInterfaceLanguage();
};

void MainWindowDocumentsTest::slotsAreReusedOldestFreedFirst()
{
    Fixture f;
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window));
    for (const char* name : {"a.html", "b.html", "c.html"})
        MainWindowDriver::openThroughDialog(f, window, f.document(QLatin1String(name), "x"));
    QCOMPARE(visibleTabs(window), (QList<int>{0, 1, 2}));

    MainWindowDriver::clickTab(window, 1);
    QCOMPARE(window.currentSlot(), 1);
    clickCloseButton(window);
    QCOMPARE(visibleTabs(window), (QList<int>{0, 2}));

    MainWindowDriver::openThroughDialog(f, window, f.document(QStringLiteral("d.html"), "d"));
    QCOMPARE(window.currentSlot(), 3);
    QCOMPARE(window.tabCaption(3), QStringLiteral("d.html"));
    QCOMPARE(window.editor()->text(), QStringLiteral("d"));

    // Slots 4..9 come before the freed slot 1.
    for (int i = 4; i <= 9; ++i)
        MainWindowDriver::openThroughDialog(f, window,
                                            f.document(QStringLiteral("f%1.html").arg(i), "f"));
    QCOMPARE(window.currentSlot(), 9);
    MainWindowDriver::openThroughDialog(f, window, f.document(QStringLiteral("last.html"), "last"));
    QCOMPARE(window.currentSlot(), 1);
    QCOMPARE(window.tabCaption(1), QStringLiteral("last.html"));

    // With all ten in use, closing one makes room for the next document.
    MainWindowDriver::clickTab(window, 5);
    clickCloseButton(window);
    MainWindowDriver::openThroughDialog(f, window,
                                        f.document(QStringLiteral("again.html"), "again"));
    QCOMPARE(window.currentSlot(), 5);
    QCOMPARE(window.tabCaption(5), QStringLiteral("again.html"));
    QCOMPARE(visibleTabs(window).size(), 10);
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void MainWindowDocumentsTest::eleventhDocumentIsDroppedSilently_data()
{
    QTest::addColumn<qint64>("size");
    QTest::newRow("ordinary file") << qint64(12);
    // Over the size that asks before loading: with no free slot there is nothing to ask.
    QTest::newRow("file over the size question") << qint64(201) * 1024 * 1024;
}

void MainWindowDocumentsTest::eleventhDocumentIsDroppedSilently()
{
    QFETCH(qint64, size);
    Fixture f;
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window));
    for (int i = 0; i < 10; ++i)
        MainWindowDriver::openThroughDialog(
            f, window, f.document(QStringLiteral("doc%1.html").arg(i), "text"));
    const QString eleventh = f.document(QStringLiteral("eleventh.html"), {});
    QVERIFY(QFile::resize(eleventh, size));

    MainWindowDriver::openThroughDialog(f, window, eleventh);
    QCOMPARE(window.currentSlot(), 9);
    QCOMPARE(window.editor()->text(), QStringLiteral("text"));
    QCOMPARE(window.menus().lstOpn.at(0)->text(), QStringLiteral("doc9.html"));
    QCOMPARE(window.documents().usedCount(), 10);
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void MainWindowDocumentsTest::closingAsksOnlyAboutUnsavedChanges_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QByteArray>("fileAfter");
    QTest::addColumn<bool>("saveFails");
    QTest::newRow("unchanged asks nothing")
        << QString() << false << false << QByteArray("<p>") << false;
    QTest::newRow("No closes without writing")
        << "x" << true << false << QByteArray("<p>") << false;
    QTest::newRow("Yes saves, then closes") << "x" << true << true << QByteArray("x<p>") << false;
    QTest::newRow("Yes whose save fails keeps the tab")
        << "x" << true << true << QByteArray() << true;
}

void MainWindowDocumentsTest::closingAsksOnlyAboutUnsavedChanges()
{
    QFETCH(QString, typed);
    QFETCH(bool, asked);
    QFETCH(bool, answer);
    QFETCH(QByteArray, fileAfter);
    QFETCH(bool, saveFails);
    Fixture f;
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window));
    const QString path = f.document(QStringLiteral("site/page.html"), "<p>");
    MainWindowDriver::openThroughDialog(f, window, path);
    MainWindowDriver::typeText(window.editor(), typed);

    if (asked)
        f.prompter.expectYesNo(f.context.strings.message(Str::SaveBeforeClosing), answer);
    if (saveFails) {
        QVERIFY(QDir(QFileInfo(path).absolutePath()).removeRecursively());
        f.prompter.expectMessage(QString(), Prompter::Icon::Critical);
    }
    window.menus().clsW->trigger();

    if (saveFails) {
        // The text the user meant to keep stays open, still unsaved.
        QCOMPARE(visibleTabs(window), (QList<int>{0}));
        QCOMPARE(window.editor()->text(), typed + QLatin1String("<p>"));
        QVERIFY(window.windowTitle().endsWith(QLatin1String(" *")));
        QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
        return;
    }

    QVERIFY(visibleTabs(window).isEmpty());
    QCOMPARE(window.currentSlot(), -1);
    QCOMPARE(MainWindowDriver::fileBytes(path), fileAfter);
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void MainWindowDocumentsTest::closeAllAsksForEachModifiedDocumentInTabOrder()
{
    Fixture f;
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window));
    const QString a = f.document(QStringLiteral("a.html"), "a");
    const QString b = f.document(QStringLiteral("b.html"), "b");
    const QString c = f.document(QStringLiteral("c.html"), "c");
    const QString clean = f.document(QStringLiteral("clean.html"), "clean");
    for (const QString& path : {a, b, clean, c})
        MainWindowDriver::openThroughDialog(f, window, path);
    // Modified in another order than the tabs run, and left on the last tab.
    for (int tab : {3, 1, 0}) {
        MainWindowDriver::clickTab(window, tab);
        MainWindowDriver::typeText(window.editor(), QStringLiteral("1"));
    }

    // The answers tell the questions apart: a is saved, b is not, c is saved.
    const QString question = f.context.strings.message(Str::SaveBeforeClosing);
    f.prompter.expectYesNo(question, true).expectYesNo(question, false).expectYesNo(question, true);
    window.menus().closeAllWnd->trigger();

    QVERIFY(visibleTabs(window).isEmpty());
    QCOMPARE(MainWindowDriver::fileBytes(a), QByteArray("1a"));
    QCOMPARE(MainWindowDriver::fileBytes(b), QByteArray("b"));
    QCOMPARE(MainWindowDriver::fileBytes(c), QByteArray("1c"));
    QCOMPARE(MainWindowDriver::fileBytes(clean), QByteArray("clean"));
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void MainWindowDocumentsTest::editorStaysHiddenAfterCloseUntilATabIsClicked()
{
    Fixture f;
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window));
    MainWindowDriver::openThroughDialog(f, window,
                                        f.document(QStringLiteral("first.html"), "first"));
    MainWindowDriver::openThroughDialog(f, window,
                                        f.document(QStringLiteral("second.html"), "second"));

    // The tab closes while another window is active, as after a question box. Keys that then
    // reach the main window, active or not, go nowhere near the hidden editor.
    QTRY_VERIFY(window.editor()->hasFocus());
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    clickCloseButton(window);
    QTest::keyClick(window.windowHandle(), Qt::Key_X);
    QVERIFY(window.editor()->text().isEmpty());

    QCOMPARE(visibleTabs(window), QList<int>{0});
    QVERIFY(!window.editor()->isVisible());
    QCOMPARE(window.currentSlot(), -1);
    QCOMPARE(window.windowTitle(), QStringLiteral("Quillorn"));
    QVERIFY(window.openedPathText().isEmpty());

    // Typing goes nowhere while no document is shown.
    MainWindowDriver::typeText(window.editor(), QStringLiteral("lost"));
    QVERIFY(window.documents()[0].saved);

    MainWindowDriver::clickTab(window, 0);
    QVERIFY(window.editor()->isVisible());
    QCOMPARE(window.currentSlot(), 0);
    QCOMPARE(window.editor()->text(), QStringLiteral("first"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Quillorn - first.html"));
    QVERIFY(!window.openedPathText().isEmpty());
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void MainWindowDocumentsTest::switchingKeepsCaretSelectionAndScrollOfEachDocument()
{
    Fixture f;
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window));
    MainWindowDriver::openThroughDialog(
        f, window, f.document(QStringLiteral("a.html"), numberedLines("alpha ", 300)));
    MainWindowDriver::openThroughDialog(
        f, window, f.document(QStringLiteral("b.html"), numberedLines("b", 300)));
    Editor* editor = window.editor();

    struct View {
        long anchor, caret, firstLine;
    };
    const View viewA{1200, 1230, 80};
    const View viewB{45, 20, 150}; // caret before the anchor: a selection made backwards
    auto setView = [editor](const View& v) {
        editor->SendScintilla(S::SCI_SETSEL, v.anchor, v.caret);
        editor->SendScintilla(S::SCI_SETFIRSTVISIBLELINE, v.firstLine);
    };
    auto currentView = [editor] {
        return View{editor->SendScintilla(S::SCI_GETANCHOR),
                    editor->SendScintilla(S::SCI_GETCURRENTPOS),
                    editor->SendScintilla(S::SCI_GETFIRSTVISIBLELINE)};
    };

    setView(viewB);
    MainWindowDriver::clickTab(window, 0);
    setView(viewA);
    MainWindowDriver::clickTab(window, 1);
    View seen = currentView();
    QCOMPARE(editor->text().left(2), QStringLiteral("b0"));
    QCOMPARE(seen.anchor, viewB.anchor);
    QCOMPARE(seen.caret, viewB.caret);
    QCOMPARE(seen.firstLine, viewB.firstLine);

    MainWindowDriver::clickTab(window, 0);
    seen = currentView();
    QCOMPARE(editor->text().left(6), QStringLiteral("alpha "));
    QCOMPARE(seen.anchor, viewA.anchor);
    QCOMPARE(seen.caret, viewA.caret);
    QCOMPARE(seen.firstLine, viewA.firstLine);
    QCOMPARE(editor->selectedText(),
             QString::fromLatin1(numberedLines("alpha ", 300).mid(1200, 30)));
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void MainWindowDocumentsTest::ctrlTabCyclesThroughVisibleTabsWithWrapAround()
{
    Fixture f;
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window));
    for (int i = 0; i < 4; ++i)
        MainWindowDriver::openThroughDialog(f, window,
                                            f.document(QStringLiteral("t%1.html").arg(i), "t"));
    MainWindowDriver::clickTab(window, 1);
    clickCloseButton(window);
    MainWindowDriver::clickTab(window, 3);

    // Tabs 0, 2 and 3 are visible; tab 3 is current.
    const QList<std::pair<bool, int>> steps{{true, 0},  {true, 2},  {true, 3},
                                            {false, 2}, {false, 0}, {false, 3}};
    for (const auto& [forward, expected] : steps) {
        if (forward)
            QTest::keyClick(window.editor(), Qt::Key_Tab, Qt::ControlModifier);
        else
            QTest::keyClick(window.editor(), Qt::Key_Backtab,
                            Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(window.currentSlot(), expected);
        QCOMPARE(window.tabStrip()->currentIndex(), expected);
        QCOMPARE(window.windowTitle(), QStringLiteral("Quillorn - t%1.html").arg(expected));
    }
    // The keys switch documents; they never land in the text.
    for (int tab : {0, 2, 3}) {
        MainWindowDriver::clickTab(window, tab);
        QCOMPARE(window.editor()->text(), QStringLiteral("t"));
        QVERIFY(window.documents()[tab].saved);
    }
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void MainWindowDocumentsTest::undoHistoryStaysWithItsDocument()
{
    Fixture f;
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window));
    MainWindowDriver::openThroughDialog(f, window, f.document(QStringLiteral("a.html"), "aaa"));
    MainWindowDriver::openThroughDialog(f, window, f.document(QStringLiteral("b.html"), "bbb"));
    Editor* editor = window.editor();

    // Opening is not an edit: there is nothing to undo yet.
    window.menus().undo->trigger();
    QCOMPARE(editor->text(), QStringLiteral("bbb"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Quillorn - b.html"));

    MainWindowDriver::clickTab(window, 0);
    MainWindowDriver::typeText(editor, QStringLiteral("X"));
    MainWindowDriver::clickTab(window, 1);
    MainWindowDriver::typeText(editor, QStringLiteral("Y"));
    window.menus().undo->trigger();
    QCOMPARE(editor->text(), QStringLiteral("bbb"));
    // B has nothing more to undo; A's typing is not B's to take back.
    window.menus().undo->trigger();
    QCOMPARE(editor->text(), QStringLiteral("bbb"));

    MainWindowDriver::clickTab(window, 0);
    QCOMPARE(editor->text(), QStringLiteral("Xaaa"));
    window.menus().undo->trigger();
    QCOMPARE(editor->text(), QStringLiteral("aaa"));
    window.menus().redo->trigger();
    QCOMPARE(editor->text(), QStringLiteral("Xaaa"));

    MainWindowDriver::clickTab(window, 1);
    window.menus().redo->trigger();
    QCOMPARE(editor->text(), QStringLiteral("Ybbb"));
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void MainWindowDocumentsTest::findInFilesReplacesEachOpenDocumentAsOneUndoStep()
{
    Fixture f;
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window));
    MainWindowDriver::openThroughDialog(f, window,
                                        f.document(QStringLiteral("a.html"), "<p>cat</p>\r\nCat"));
    MainWindowDriver::openThroughDialog(f, window, f.document(QStringLiteral("b.html"), "a cat"));
    Editor* editor = window.editor();

    window.menus().findInFiles->trigger();
    FindInFilesWindow* find = window.editCommands().findInFilesWindow();
    QVERIFY(find && find->isVisible());
    find->findChild<QLineEdit*>(QStringLiteral("FindWhat"))->setText(QStringLiteral("cat"));
    find->findChild<QLineEdit*>(QStringLiteral("ReplaceWith"))->setText(QStringLiteral("dog"));
    QTest::mouseClick(find->findChild<QPushButton*>(QStringLiteral("ReplaceInOpen")),
                      Qt::LeftButton);
    QCOMPARE(find->results()->topLevelItemCount(), 0);
    QCOMPARE(window.currentSlot(), 1);
    QCOMPARE(editor->bytes(), QByteArray("a dog"));
    window.menus().undo->trigger();
    QCOMPARE(editor->bytes(), QByteArray("a cat"));

    MainWindowDriver::clickTab(window, 0);
    QCOMPARE(editor->bytes(), QByteArray("<p>dog</p>\r\ndog"));
    window.menus().undo->trigger();
    QCOMPARE(editor->bytes(), QByteArray("<p>cat</p>\r\nCat"));

    // A double click on a match goes to its document and line.
    MainWindowDriver::clickTab(window, 1);
    QTest::mouseClick(find->findChild<QPushButton*>(QStringLiteral("FindButton")), Qt::LeftButton);
    QTreeWidget* results = find->results();
    QCOMPARE(results->topLevelItemCount(), 3);
    QTreeWidgetItem* second = results->topLevelItem(1);
    QCOMPARE(second->text(1), QStringLiteral("2"));
    const QPoint spot = results->visualItemRect(second).center();
    QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, spot);
    QTest::mouseDClick(results->viewport(), Qt::LeftButton, {}, spot);
    QCOMPARE(window.currentSlot(), 0);
    QCOMPARE(editor->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS), 12);

    // An expression that is not valid is told, and nothing is searched.
    f.prompter.expectMessage(QStringLiteral("not valid"), Prompter::Icon::Exclamation);
    find->findChild<QCheckBox*>(QStringLiteral("RegularExpression"))->setChecked(true);
    find->findChild<QLineEdit*>(QStringLiteral("FindWhat"))->setText(QStringLiteral("c(at"));
    QTest::mouseClick(find->findChild<QPushButton*>(QStringLiteral("FindButton")), Qt::LeftButton);
    QCOMPARE(results->topLevelItemCount(), 3);
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void MainWindowDocumentsTest::findInFilesOpensAFolderMatchAtItsLine()
{
    Fixture f;
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window));
    const QString page =
        f.document(QStringLiteral("deep/c.php"), "<p>\r\n  <?php needle(); ?>\r\n");
    f.document(QStringLiteral("d.txt"), "needle");

    window.menus().findInFiles->trigger();
    FindInFilesWindow* find = window.editCommands().findInFilesWindow();
    f.prompter.expectFolder(QString(), f.env.path(QStringLiteral("docs")));
    QTest::mouseClick(find->findChild<QPushButton*>(QStringLiteral("Browse")), Qt::LeftButton);
    find->findChild<QLineEdit*>(QStringLiteral("FindWhat"))->setText(QStringLiteral("needle"));
    QSignalSpy finished(find, &FindInFilesWindow::searchFinished);
    QTest::mouseClick(find->findChild<QPushButton*>(QStringLiteral("FindButton")), Qt::LeftButton);
    QVERIFY(finished.wait());
    QCOMPARE(find->results()->topLevelItemCount(), 1);

    QTreeWidgetItem* match = find->results()->topLevelItem(0);
    const QPoint spot = find->results()->visualItemRect(match).center();
    QTest::mouseClick(find->results()->viewport(), Qt::LeftButton, {}, spot);
    QTest::mouseDClick(find->results()->viewport(), Qt::LeftButton, {}, spot);
    QCOMPARE(window.currentDocument().path(), page);
    QCOMPARE(window.editor()->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS), 13);
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void MainWindowDocumentsTest::newEditKeysReachTheMenuFromTheEditor()
{
    Fixture f;
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window));
    MainWindowDriver::openThroughDialog(f, window, f.document(QStringLiteral("a.js"), "a();"));
    window.editor()->setFocus();

    QTest::keyClick(window.editor(), Qt::Key_Slash, Qt::ControlModifier);
    QCOMPARE(window.editor()->bytes(), QByteArray("// a();"));
    f.prompter.expectInput(QString(), QStringLiteral("1:4"));
    QTest::keyClick(window.editor(), Qt::Key_G, Qt::ControlModifier);
    QCOMPARE(window.editor()->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS), 3);
    QTest::keyClick(window.editor(), Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(window.editCommands().findInFilesWindow() &&
            window.editCommands().findInFilesWindow()->isVisible());
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void MainWindowDocumentsTest::saveAllWritesEveryDocumentAndComesBack()
{
    Fixture f;
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window));
    const QString a = f.document(QStringLiteral("a.html"), "a");
    const QString b = f.document(QStringLiteral("b.html"), "b");
    const QString c = f.document(QStringLiteral("c.html"), "c");
    for (const QString& path : {a, b, c}) {
        MainWindowDriver::openThroughDialog(f, window, path);
        MainWindowDriver::typeText(window.editor(), QStringLiteral("+"));
    }
    MainWindowDriver::clickTab(window, 1);
    // A document that cannot be written does not stop the others.
    QVERIFY(QFile::remove(a));
    QVERIFY(QDir().mkpath(a));

    // The file's going is noticed when its document comes forward to be saved.
    f.prompter.expectMessage(QStringLiteral("deleted or moved"), Prompter::Icon::Exclamation);
    f.prompter.expectMessage(QString(), Prompter::Icon::Critical);
    window.menus().saveAll->trigger();

    QCOMPARE(MainWindowDriver::fileBytes(b), QByteArray("+b"));
    QCOMPARE(MainWindowDriver::fileBytes(c), QByteArray("+c"));
    QCOMPARE(window.currentSlot(), 1);
    QCOMPARE(window.windowTitle(), QStringLiteral("Quillorn - b.html"));
    QVERIFY(!window.documents()[0].saved);
    QVERIFY(window.documents()[2].saved);
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void MainWindowDocumentsTest::pathLabelShortensLongPaths()
{
    Fixture f;
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window));
    const QString longFolder = QString(120, QLatin1Char('d'));
    const QString path =
        f.document(longFolder + QLatin1String("/") + longFolder + QLatin1String("/end.html"), "x");
    MainWindowDriver::openThroughDialog(f, window, path);
    const QString shown = window.openedPathText();
    QVERIFY2(shown.size() < path.size(), qPrintable(shown));
    QVERIFY(shown.contains(QLatin1String("...")));
    QCOMPARE(shown.left(5), path.left(5));
    QVERIFY(shown.endsWith(QLatin1String("/end.html")));

    // A wider window shows more of it, and a short path whole.
    const int before = shown.size();
    window.resize(window.width() + 600, window.height());
    QTRY_VERIFY(window.openedPathText().size() > before);
    const QString shortPath = f.document(QStringLiteral("s.html"), "s");
    MainWindowDriver::openThroughDialog(f, window, shortPath);
    QCOMPARE(window.openedPathText(), shortPath);
    MainWindowDriver::clickTab(window, 0);
    QVERIFY(window.openedPathText().endsWith(QLatin1String("/end.html")));
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void MainWindowDocumentsTest::titleShowsTheCurrentDocumentAndUnsavedMark()
{
    Fixture f;
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window));
    QCOMPARE(window.windowTitle(), QStringLiteral("Quillorn"));
    const QString page = f.document(QStringLiteral("page.html"), "<p>");
    MainWindowDriver::openThroughDialog(f, window, page);
    QCOMPARE(window.windowTitle(), QStringLiteral("Quillorn - page.html"));

    MainWindowDriver::typeText(window.editor(), QStringLiteral("x"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Quillorn - page.html *"));

    MainWindowDriver::openThroughDialog(f, window, f.document(QStringLiteral("style.css"), "p{}"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Quillorn - style.css"));
    MainWindowDriver::clickTab(window, 0);
    QCOMPARE(window.windowTitle(), QStringLiteral("Quillorn - page.html *"));

    window.menus().saveHtml->trigger();
    QCOMPARE(window.windowTitle(), QStringLiteral("Quillorn - page.html"));
    QCOMPARE(MainWindowDriver::fileBytes(page), QByteArray("x<p>"));

    window.menus().clsW->trigger();
    QCOMPARE(window.windowTitle(), QStringLiteral("Quillorn"));
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void MainWindowDocumentsTest::closingTheWindowAsksAboutEachUnsavedDocument_data()
{
    using Choice = Prompter::SaveChoice;
    QTest::addColumn<QList<Choice>>("answers");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QByteArray>("firstAfter");
    QTest::addColumn<QByteArray>("thirdAfter");
    QTest::newRow("save both") << QList<Choice>{Choice::Save, Choice::Save} << true
                               << QByteArray("1one") << QByteArray("3three");
    QTest::newRow("save one, drop the other") << QList<Choice>{Choice::Discard, Choice::Save}
                                              << true << QByteArray("one") << QByteArray("3three");
    QTest::newRow("cancel keeps the window") << QList<Choice>{Choice::Save, Choice::Cancel} << false
                                             << QByteArray("1one") << QByteArray("three");
}

void MainWindowDocumentsTest::closingTheWindowAsksAboutEachUnsavedDocument()
{
    using Choice = Prompter::SaveChoice;
    QFETCH(QList<Choice>, answers);
    QFETCH(bool, closed);
    QFETCH(QByteArray, firstAfter);
    QFETCH(QByteArray, thirdAfter);
    Fixture f;
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window));
    const QString one = f.document(QStringLiteral("one.html"), "one");
    const QString two = f.document(QStringLiteral("two.html"), "two");
    const QString three = f.document(QStringLiteral("three.html"), "three");
    for (const QString& path : {one, two, three})
        MainWindowDriver::openThroughDialog(f, window, path);
    MainWindowDriver::typeText(window.editor(), QStringLiteral("3"));
    MainWindowDriver::clickTab(window, 0);
    MainWindowDriver::typeText(window.editor(), QStringLiteral("1"));
    MainWindowDriver::clickTab(window, 1);

    for (Choice answer : answers)
        f.prompter.expectSave(f.context.strings.message(Str::SaveBeforeClosing), answer);
    QCOMPARE(window.close(), closed);

    QCOMPARE(window.isVisible(), !closed);
    QCOMPARE(MainWindowDriver::fileBytes(one), firstAfter);
    QCOMPARE(MainWindowDriver::fileBytes(two), QByteArray("two"));
    QCOMPARE(MainWindowDriver::fileBytes(three), thirdAfter);
    // Only a window that really closes runs the stop and writes settings and session.
    QCOMPARE(QFile::exists(f.env.path(QStringLiteral("settings.dat"))), closed);
    if (closed)
        QCOMPARE(f.env.readFile(QStringLiteral("last_session.qlp")),
                 (one + QLatin1String("\r\n") + two + QLatin1String("\r\n") + three).toUtf8());
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void MainWindowDocumentsTest::enterUsesTheDocumentsLineEnd_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QByteArray>("afterEnter");
    QTest::newRow("LF") << QByteArray("a\nb") << 1 << QByteArray("a\n\nb");
    QTest::newRow("CR LF") << QByteArray("a\r\nb") << 1 << QByteArray("a\r\n\r\nb");
    QTest::newRow("LF, indented") << QByteArray("  a\nb") << 3 << QByteArray("  a\n  \nb");
}

void MainWindowDocumentsTest::enterUsesTheDocumentsLineEnd()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, caret);
    QFETCH(QByteArray, afterEnter);
    Fixture f;
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window));
    const QString path = f.document(QStringLiteral("page.html"), bytes);
    MainWindowDriver::openThroughDialog(f, window, path);
    window.editor()->SendScintilla(S::SCI_GOTOPOS, caret);
    QTest::keyClick(window.editor(), Qt::Key_Return);
    window.menus().saveHtml->trigger();
    QCOMPARE(MainWindowDriver::fileBytes(path), afterEnter);
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void MainWindowDocumentsTest::commandsWithoutAShownDocumentChangeNothing()
{
    Fixture f;
    QVERIFY(f.env.writeFile(QStringLiteral("settings.dat"),
                            "extern=Viewer///%1///quillorn-test-viewer////bin/true///SYSTEM\r\n"));
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window));
    const QString path = f.document(QStringLiteral("page.html"), "page");
    MainWindowDriver::openThroughDialog(f, window, path);
    window.menus().clsW->trigger();
    QVERIFY(QFile::remove(path));

    const MainMenus& menus = window.menus();
    for (QAction* command : {menus.saveHtml, menus.saveHtmlAs, menus.saveAll, menus.addTemplate,
                             menus.undo, menus.prnt, menus.printPreview})
        command->trigger();
    f.prompter.expectMessage(QStringLiteral("Open file first!"));
    f.prompter.expectMessage(f.context.strings.message(Str::ProjectNotSaved));
    auto* external = window.findChild<QAction*>(QStringLiteral("ext(0)"));
    QVERIFY(external);
    external->trigger();
    menus.add2Proj->trigger();

    QVERIFY(!QFile::exists(path));
    QVERIFY(QDir(f.env.path(QStringLiteral("templates"))).isEmpty());
    QVERIFY(visibleTabs(window).isEmpty());
    QCOMPARE(window.windowTitle(), QStringLiteral("Quillorn"));
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void MainWindowDocumentsTest::droppedFileOpens_data()
{
    QTest::addColumn<bool>("onEditor");
    QTest::addColumn<Qt::DropActions>("offered");
    QTest::addColumn<Qt::DropAction>("taken");
    const Qt::DropActions copyOrMove = Qt::CopyAction | Qt::MoveAction;
    QTest::newRow("on the window") << false << copyOrMove << Qt::CopyAction;
    QTest::newRow("on the editor") << true << copyOrMove << Qt::CopyAction;
    QTest::newRow("link offered") << false << (Qt::LinkAction | Qt::MoveAction) << Qt::LinkAction;
    QTest::newRow("move only, window")
        << false << Qt::DropActions(Qt::MoveAction) << Qt::IgnoreAction;
    QTest::newRow("move only, editor")
        << true << Qt::DropActions(Qt::MoveAction) << Qt::IgnoreAction;
}

void MainWindowDocumentsTest::droppedFileOpens()
{
    QFETCH(bool, onEditor);
    QFETCH(Qt::DropActions, offered);
    QFETCH(Qt::DropAction, taken);
    Fixture f;
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window));
    MainWindowDriver::openThroughDialog(f, window,
                                        f.document(QStringLiteral("first.html"), "first"));
    const QString path = f.document(QStringLiteral("dropped.css"), "p{}");

    QWidget* target = onEditor ? window.editor()->viewport() : static_cast<QWidget*>(&window);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    const QPointF at(target->width() / 2, target->height() / 2);
    // A file manager proposes a move when the user drags without a modifier.
    QDragEnterEvent enter(at.toPoint(), offered, &data, Qt::LeftButton, Qt::NoModifier);
    enter.setDropAction(Qt::MoveAction);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
    drop.setDropAction(Qt::MoveAction);
    QApplication::sendEvent(target, &drop);

    if (taken == Qt::IgnoreAction) {
        QVERIFY(!drop.isAccepted());
        QCOMPARE(visibleTabs(window), (QList<int>{0}));
        QCOMPARE(window.editor()->text(), QStringLiteral("first"));
        return;
    }
    QVERIFY(drop.isAccepted());
    QCOMPARE(drop.dropAction(), taken);
    QCOMPARE(visibleTabs(window), (QList<int>{0, 1}));
    QCOMPARE(window.tabCaption(1), QStringLiteral("dropped.css"));
    QCOMPARE(window.editor()->text(), QStringLiteral("p{}"));
    QCOMPARE(window.menus().lstOpn.at(0)->text(), QStringLiteral("dropped.css"));
    // The first document did not get the path as text.
    MainWindowDriver::clickTab(window, 0);
    QCOMPARE(window.editor()->text(), QStringLiteral("first"));
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void MainWindowDocumentsTest::statusLineSpeaksTheInterfaceLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("english") << "english";
    QTest::newRow("russian") << "russian";
}

void MainWindowDocumentsTest::statusLineSpeaksTheInterfaceLanguage()
{
    QFETCH(QString, language);
    Fixture f;
    QVERIFY(f.env.writeFile(QStringLiteral("settings.dat"),
                            "Language=" + language.toLatin1() + "\r\n"));
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window));
    MainWindowDriver::openThroughDialog(
        f, window, f.document(QStringLiteral("page.html"), "abc\r\ndefg\r\nhi"));
    Editor* editor = window.editor();
    // A selection whose caret stands at its start: "defg", the caret at the start of line 2.
    editor->SendScintilla(S::SCI_SETSEL, 9, 6);
    QTest::keyClick(editor, Qt::Key_Left, Qt::ShiftModifier);

    LangStrings strings;
    QVERIFY(
        strings.load(f.env.path(QStringLiteral("languages/%1/main.lng").arg(language)), language));
    QVERIFY(!strings.value(Str::StatusLine).isEmpty());
    const QString expected = strings.value(Str::StatusLine) + QLatin1String("2  ") +
                             strings.value(Str::StatusSymbol) + QLatin1String("0  ") +
                             strings.value(Str::StatusSelected) + QLatin1String("4") +
                             strings.value(Str::StatusSymbols);
    QCOMPARE(window.statusText(), expected);

    // A page with a line over a megabyte says, once it is open, that editing that line is slow.
    const QByteArray minified = "<p>" + QByteArray(1100 * 1024, 'x') + "</p>\r\n";
    MainWindowDriver::openThroughDialog(f, window,
                                        f.document(QStringLiteral("min.html"), minified));
    QTRY_COMPARE(window.statusText(), strings.value(Str::LongLineSlow));
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

QTEST_MAIN(MainWindowDocumentsTest)
#include "MainWindowDocumentsTest.moc"
