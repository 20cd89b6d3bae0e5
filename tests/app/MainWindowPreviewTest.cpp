#include "app/MainWindow.h"
#include "preview/Preview.h"
#include "preview/PreviewPane.h"
#include "support/AppFixture.h"
#include "support/BrowserTestMain.h"
#include "support/MainWindowDriver.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <QWebEnginePage>
#include <QWebEngineView>

using namespace Quillorn;

// The browser view of the main window with the real engine: which page it shows, how it is
// entered and left, and how it follows edits, saves and switches of document.
class MainWindowPreviewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void browserViewShowsTheDocument_data();
    void browserViewShowsTheDocument();
    void pageFollowsEditsSavesAndSwitches();
    void ctrlClickSelectsTheElementInTheCode();

private:
    using Fixture = Test::AppFixture;
};

namespace {

// The engine loads pages in processes of its own; on a loaded machine that takes a while.
constexpr int PageTimeoutMs = 30000;

QByteArray pageSettingTitle(const QByteArray& title)
{
    return "<html><body style=\"height: 5000px\"><script>document.title = '" + title +
           "' + (40 + 2);</script></body></html>";
}

QRadioButton* modeButton(MainWindow& window, int index)
{
    return window.findChild<QRadioButton*>(QStringLiteral("PreviewMode%1").arg(index));
}

QVariant evaluate(QWebEngineView* view, const QString& script)
{
    QVariant result;
    bool done = false;
    view->page()->runJavaScript(script, [&](const QVariant& value) {
        result = value;
        done = true;
    });
    // No answer gives an invalid value, which the caller's comparison reports.
    return QTest::qWaitFor([&] { return done; }, PageTimeoutMs) ? result : QVariant();
}

} // namespace

void MainWindowPreviewTest::browserViewShowsTheDocument_data()
{
    QTest::addColumn<bool>("server"); // through PHP's built-in server serving the documents
    QTest::addColumn<bool>("edited"); // shown from a copy of the text
    QTest::addColumn<QString>("enter");
    QTest::addColumn<QString>("leave");

    QTest::newRow("disk, saved") << false << false << "button"
                                 << "button";
    QTest::newRow("disk, edited") << false << true << "menu"
                                  << "close tab";
    QTest::newRow("server, edited") << true << true << "button"
                                    << "menu";
    QTest::newRow("server, saved") << true << false << "menu"
                                   << "close tab";
}

void MainWindowPreviewTest::browserViewShowsTheDocument()
{
    QFETCH(bool, server);
    QFETCH(bool, edited);
    QFETCH(QString, enter);
    QFETCH(QString, leave);
    Fixture f;
    const QString folder = f.env.path(QStringLiteral("docs"));
    if (server)
        QVERIFY(f.env.writeFile(QStringLiteral("settings.dat"),
                                "IsHTTPServer=-1\r\nPathToHTTPD=" + folder.toUtf8() + "\r\n"));
    const QString path = f.document(QStringLiteral("a.html"), pageSettingTitle("file "));
    MainWindow window(f.context);
    QVERIFY(Test::MainWindowDriver::show(window));
    Test::MainWindowDriver::openThroughDialog(f, window, path);
    QVERIFY2(!window.previewPane()->view(), "the engine waits until the preview is used");
    if (edited)
        window.currentDocument().replaceText(QString::fromLatin1(pageSettingTitle("copy ")));

    const MainMenus& menus = window.menus();
    if (enter == QLatin1String("menu"))
        menus.viewBrowse->trigger();
    else
        QTest::mouseClick(modeButton(window, 1), Qt::LeftButton);
    QVERIFY(modeButton(window, 1)->isChecked());
    QWebEngineView* web = window.previewPane()->view();
    QVERIFY(web);
    QTRY_COMPARE_WITH_TIMEOUT(web->title(), edited ? "copy 42" : "file 42", PageTimeoutMs);
    QVERIFY(web->isVisible());
    QVERIFY(!window.editor()->isVisible());

    // Always a copy beside the document, never the user's file.
    const QString copy = window.preview().copyPath();
    QVERIFY(QFile::exists(copy));
    QCOMPARE(QFileInfo(copy).absolutePath(), folder);
    QCOMPARE(Test::MainWindowDriver::fileBytes(path), pageSettingTitle("file "));
    if (server)
        QVERIFY2(window.statusText().contains(QLatin1String("127.0.0.1")),
                 qPrintable(window.statusText()));
    const QString page = QFileInfo(copy).fileName();
    const QString scheme = server ? "http://127.0.0.1" : "file:///";
    QTRY_VERIFY2_WITH_TIMEOUT(window.previewPane()->address().startsWith(scheme) &&
                                  window.previewPane()->address().endsWith(u'/' + page),
                              qPrintable(window.previewPane()->address()), PageTimeoutMs);

    if (leave == QLatin1String("close tab")) {
        if (edited)
            f.prompter.expectYesNo(QString(), false);
        QTest::mouseClick(window.findChild<QToolButton*>(QStringLiteral("CloseTabButton")),
                          Qt::LeftButton);
    } else if (leave == QLatin1String("menu")) {
        menus.viewBrowse->trigger();
    } else {
        QTest::mouseClick(modeButton(window, 0), Qt::LeftButton);
    }
    QVERIFY(modeButton(window, 0)->isChecked());
    QVERIFY(window.preview().copyPath().isEmpty());
    QVERIFY(!QFile::exists(copy));
    QTRY_COMPARE_WITH_TIMEOUT(web->url().toString(), "about:blank", PageTimeoutMs);
    if (leave != QLatin1String("close tab")) {
        QVERIFY(window.editor()->isVisible());
        QVERIFY(!web->isVisible());
    }
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void MainWindowPreviewTest::pageFollowsEditsSavesAndSwitches()
{
    Fixture f;
    const QString path = f.document(QStringLiteral("a.html"), pageSettingTitle("first "));
    const QString other = f.document(QStringLiteral("b.html"), pageSettingTitle("other "));
    MainWindow window(f.context);
    QVERIFY(Test::MainWindowDriver::show(window));
    Test::MainWindowDriver::openThroughDialog(f, window, path);
    QTest::mouseClick(modeButton(window, 1), Qt::LeftButton);
    QWebEngineView* web = window.previewPane()->view();
    QTRY_COMPARE_WITH_TIMEOUT(web->title(), "first 42", PageTimeoutMs);

    // An edit shows the new text from a copy, where the reader was on the page.
    evaluate(web, QStringLiteral("window.scrollTo(0, 700)"));
    QTRY_COMPARE(evaluate(web, QStringLiteral("window.scrollY")).toInt(), 700);
    window.currentDocument().replaceText(QString::fromLatin1(pageSettingTitle("edited ")));
    QTRY_COMPARE_WITH_TIMEOUT(web->title(), "edited 42", PageTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(evaluate(web, QStringLiteral("window.scrollY")).toInt(), 700,
                              PageTimeoutMs);
    const QString copy = window.preview().copyPath();
    QVERIFY(QFile::exists(copy));

    // Saved, the page is shown from a new copy.
    window.menus().saveHtml->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(!window.preview().copyPath().isEmpty() &&
                                 window.preview().copyPath() != copy,
                             PageTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(window.previewPane()->address(),
                              QUrl::fromLocalFile(window.preview().copyPath()).toString(),
                              PageTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(web->title(), "edited 42", PageTimeoutMs);
    QVERIFY(!QFile::exists(copy));

    // Another document shows itself; going back shows the first again.
    Test::MainWindowDriver::openThroughDialog(f, window, other);
    QTRY_COMPARE_WITH_TIMEOUT(web->title(), "other 42", PageTimeoutMs);
    Test::MainWindowDriver::clickTab(window, 0);
    QTRY_COMPARE_WITH_TIMEOUT(web->title(), "edited 42", PageTimeoutMs);
    QVERIFY(modeButton(window, 1)->isChecked());
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void MainWindowPreviewTest::ctrlClickSelectsTheElementInTheCode()
{
    Fixture f;
    const QByteArray text = "<!DOCTYPE html>\n<html><body>\n<p>intro</p>\n"
                            "<h1 class=\"a>b\">Heading</h1>\n<script>document.body."
                            "insertAdjacentHTML('beforeend', '<div id=\"made\">made</div>');"
                            "</script>\n</body></html>\n";
    const QString path = f.document(QStringLiteral("a.html"), text);
    MainWindow window(f.context);
    QVERIFY(Test::MainWindowDriver::show(window));
    Test::MainWindowDriver::openThroughDialog(f, window, path);
    QTest::mouseClick(modeButton(window, 1), Qt::LeftButton);
    QWebEngineView* web = window.previewPane()->view();
    QTRY_VERIFY_WITH_TIMEOUT(
        evaluate(web, QStringLiteral("!!document.getElementById('made')")).toBool(), PageTimeoutMs);
    const auto ctrlClick = [&](const QString& selector) {
        const QVariantList xy =
            evaluate(web,
                     QStringLiteral("(function () { var r = document.querySelector('%1')"
                                    ".getBoundingClientRect(); return [r.x + 10, r.y + r.height "
                                    "/ 2]; })()")
                         .arg(selector))
                .toList();
        QWidget* target = web->focusProxy();
        if (xy.size() == 2 && target)
            QTest::mouseClick(target, Qt::LeftButton, Qt::ControlModifier,
                              QPoint(xy[0].toInt(), xy[1].toInt()));
        return xy.size() == 2 && target;
    };

    // An element made by a script has no place in the text.
    QVERIFY(ctrlClick(QStringLiteral("#made")));
    QTRY_COMPARE_WITH_TIMEOUT(
        window.statusText(),
        QStringLiteral("This element cannot be found in the source of the page."), PageTimeoutMs);
    QVERIFY(modeButton(window, 1)->isChecked());

    // The heading leads to its start tag, selected in the code view.
    QVERIFY(ctrlClick(QStringLiteral("h1")));
    QTRY_VERIFY_WITH_TIMEOUT(modeButton(window, 0)->isChecked(), PageTimeoutMs);
    const qint64 start = text.indexOf("<h1");
    const CurrentDocument::ByteRange selected = window.currentDocument().selectionRange();
    QCOMPARE(selected.start, start);
    QCOMPARE(selected.end, start + qsizetype(strlen("<h1 class=\"a>b\">")));
    QCOMPARE(window.currentDocument().caretPosition(), start);
    QVERIFY(window.editor()->hasFocus());
    QCOMPARE(Test::MainWindowDriver::fileBytes(path), text);
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

QUILLORN_BROWSER_TEST_MAIN(MainWindowPreviewTest)
#include "MainWindowPreviewTest.moc"
