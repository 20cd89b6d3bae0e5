#include "tools/CheckWindow.h"
#include "platform/LangStrings.h"
#include "support/BrowserTestMain.h"

#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QWebEngineView>

using namespace Quillorn;

namespace {
template <typename T> T* child(QWidget* window, const char* name)
{
    return window->findChild<T*>(QLatin1String(name));
}
constexpr int kEngineWaitMs = 60000; // the engine's first start is slow on a busy machine
} // namespace

class CheckWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup() { delete m_window; }
    void progressFillsItsShareOfTheTrack_data();
    void progressFillsItsShareOfTheTrack();
    void animationRunsToFullAndEscapeCancelsWhileRunning();
    void reportLinesLinkToTheirPlace_data();
    void reportLinesLinkToTheirPlace();
    void browserViewShowsPagesFromTemporaryFiles();

private:
    LangStrings m_strings;
    QTemporaryDir m_cache;
    QPointer<CheckWindow> m_window;
};

void CheckWindowTest::initTestCase()
{
    QVERIFY(m_strings.load(QStringLiteral(QUILLORN_SHIPPED_DATA "/languages/english/main.lng"),
                           QStringLiteral("english")));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(m_cache.path()));
}

void CheckWindowTest::init()
{
    m_window = new CheckWindow(m_strings);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Check"));
}

void CheckWindowTest::progressFillsItsShareOfTheTrack_data()
{
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("share");
    QTest::newRow("0") << 0 << 0;
    QTest::newRow("50") << 50 << 50;
    QTest::newRow("100") << 100 << 100;
    QTest::newRow("above") << 250 << 100;
    QTest::newRow("below") << -3 << 0;
}

void CheckWindowTest::progressFillsItsShareOfTheTrack()
{
    QFETCH(int, percent);
    QFETCH(int, share);
    auto* track = child<QFrame>(m_window, "Picture1");
    auto* fill = child<QWidget>(m_window, "Label1");
    m_window->setProgress(percent);
    // The share is kept when the window is resized.
    for (const int width : {640, 900}) {
        m_window->resize(width, 420);
        QTRY_COMPARE(track->width(), width - 2 * track->x());
        QCOMPARE(fill->geometry(), QRect(track->contentsRect().topLeft(),
                                         QSize(track->contentsRect().width() * share / 100,
                                               track->contentsRect().height())));
    }
}

void CheckWindowTest::animationRunsToFullAndEscapeCancelsWhileRunning()
{
    auto* cancel = child<QPushButton>(m_window, "Cancel");
    QSignalSpy done(m_window.data(), &CheckWindow::progressDone);
    QSignalSpy cancelled(m_window.data(), &CheckWindow::cancelRequested);
    QVERIFY(cancel->isHidden());
    m_window->animateProgress();
    QVERIFY(cancel->isVisible() && cancel->isEnabled());
    QVERIFY(done.wait());
    QCOMPARE(child<QWidget>(m_window, "Label1")->width(),
             child<QFrame>(m_window, "Picture1")->contentsRect().width());
    QTest::keyClick(m_window, Qt::Key_Escape);
    QTest::mouseClick(cancel, Qt::LeftButton);
    QCOMPARE(cancelled.count(), 2);
    QVERIFY(m_window->isVisible());
    // Once the caller ends the running stage, Escape closes the window as OK does.
    m_window->setRunning(false);
    QVERIFY(cancel->isHidden());
    QTest::keyClick(m_window, Qt::Key_Escape);
    QTRY_VERIFY(m_window.isNull());
    QCOMPARE(cancelled.count(), 2);
}

void CheckWindowTest::reportLinesLinkToTheirPlace_data()
{
    QTest::addColumn<QString>("clicked");
    QTest::addColumn<int>("line"); // 0: not a link
    QTest::addColumn<int>("column");
    QTest::newRow("tidy") << "line 12 column 5 - Warning: missing </b>" << 12 << 5;
    QTest::newRow("php") << "PHP Parse error: syntax error in /tmp/x.php on line 7" << 7 << 1;
    QTest::newRow("summary") << "Tidy found 1 warning & <1> error!" << 0 << 0;
}

void CheckWindowTest::reportLinesLinkToTheirPlace()
{
    QFETCH(QString, clicked);
    QFETCH(int, line);
    QFETCH(int, column);
    const QString report = "line 12 column 5 - Warning: missing </b>\n"
                           "PHP Parse error: syntax error in /tmp/x.php on line 7\n"
                           "Tidy found 1 warning & <1> error!";
    m_window->setReport(report);
    auto* status = child<QTextBrowser>(m_window, "Status");
    QVERIFY(status->isVisible() && status->isReadOnly());
    QCOMPARE(status->toPlainText(), report);
    QTextCursor inside(status->document());
    inside.setPosition(status->document()->find(clicked).selectionStart() + 3);
    QSignalSpy activated(m_window.data(), &CheckWindow::lineActivated);
    QTest::mouseClick(status->viewport(), Qt::LeftButton, {}, status->cursorRect(inside).center());
    const QList<QVariantList> expected{{line, column}};
    QCOMPARE(QList<QVariantList>(activated), line ? expected : QList<QVariantList>());
}

void CheckWindowTest::browserViewShowsPagesFromTemporaryFiles()
{
    auto* status = child<QTextBrowser>(m_window, "Status");
    const QDir pages(m_cache.filePath(QStringLiteral("quillorn")), QStringLiteral("*.html"));
    // The engine is made when its view is first shown; a page set before waits for it.
    QVERIFY(m_window->setHtml(QStringLiteral("<title>first</title>")).ok());
    QVERIFY(!m_window->findChild<QWebEngineView*>() && !m_window->isBrowserShown());
    const QStringList first = pages.entryList(QDir::Files);
    QCOMPARE(first.size(), 1);
    m_window->toggleBrowser();
    auto* web = child<QWebEngineView>(m_window, "Web");
    QVERIFY(m_window->isBrowserShown() && web->isVisible() && !status->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(web->title(), QStringLiteral("first"), kEngineWaitMs);

    // A new page replaces the old file and is read as UTF-8 whatever it declares.
    QSignalSpy loaded(web, &QWebEngineView::loadFinished);
    QVERIFY(m_window
                ->setHtml(QString::fromUtf8("<meta charset=\"windows-1251\"><title>Проверка "
                                            "&amp; \"ok\"</title><body>Без ошибок</body>"))
                .ok());
    QTRY_VERIFY_WITH_TIMEOUT(loaded.contains(QVariantList{true}), kEngineWaitMs);
    QCOMPARE(web->title(), QString::fromUtf8("Проверка & \"ok\""));
    QString text;
    web->page()->toPlainText([&text](const QString& got) { text = got; });
    QTRY_COMPARE_WITH_TIMEOUT(text, QString::fromUtf8("Без ошибок"), kEngineWaitMs);
    QCOMPARE(pages.entryList(QDir::Files).size(), 1);
    QVERIFY(pages.entryList(QDir::Files) != first);

    m_window->toggleBrowser();
    QVERIFY(!m_window->isBrowserShown() && status->isVisible() && !web->isVisible());
    QTest::mouseClick(child<QPushButton>(m_window, "Command1"), Qt::LeftButton);
    QTRY_VERIFY(m_window.isNull());
    QVERIFY(pages.entryList(QDir::Files).isEmpty());
}

QUILLORN_BROWSER_TEST_MAIN(CheckWindowTest)

#include "CheckWindowTest.moc"
