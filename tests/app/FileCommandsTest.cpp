#include "app/FileCommands.h"
#include "app/MainWindow.h"
#include "documents/DocumentCodec.h"
#include "documents/FileIO.h"
#include "documents/LocalChannel.h"
#include "documents/TemplateChooser.h"
#include "editing/Editor.h"
#include "support/MainWindowDriver.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPushButton>
#include <QSemaphore>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <functional>

using namespace Quillorn;
using S = QsciScintillaBase;

// Files through the assembled main window: opening and saving byte for byte, the recent list,
// sessions and projects, templates, external programs and dropped files.
namespace {

using Fixture = Test::AppFixture;
using Test::MainWindowDriver;

QStringList captions(const MainWindow& window)
{
    QStringList shown;
    for (int i = 0; i < window.tabStrip()->count(); ++i) {
        if (window.tabStrip()->isTabVisible(i))
            shown.append(window.tabCaption(i));
    }
    return shown;
}

// Looks for the template chooser until it is up and lets `act` work it; a chooser that does not
// come within 200 looks is rejected, so the test fails instead of waiting for ever. Each look
// schedules the next as a copy of itself.
struct ChooserPoll {
    std::function<void(TemplateChooser*)> act;
    int tries = 0;

    void operator()()
    {
        auto* chooser = qobject_cast<TemplateChooser*>(QApplication::activeModalWidget());
        if (chooser && chooser->isVisible()) {
            act(chooser);
            if (chooser->isVisible())
                chooser->reject();
            return;
        }
        if (++tries < 200) {
            QTimer::singleShot(10, *this);
            return;
        }
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* stray = qobject_cast<TemplateChooser*>(top))
                stray->reject();
        }
    }
};

// Runs "New" and lets `act` work the template chooser once it is up.
void runChooser(MainWindow& window, std::function<void(TemplateChooser*)> act)
{
    QTimer::singleShot(0, ChooserPoll{std::move(act)});
    window.menus().opnNew->trigger();
}

// Clicks the template `displayName` (or picks document type `type` when it is empty), then OK.
void chooseTemplate(MainWindow& window, const QString& displayName, int type = -1)
{
    runChooser(window, [=](TemplateChooser* chooser) {
        QListWidget* list = chooser->templateList();
        if (!displayName.isEmpty()) {
            const QList<QListWidgetItem*> found = list->findItems(displayName, Qt::MatchExactly);
            if (found.isEmpty())
                return;
            list->scrollToItem(found.first());
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(found.first()).center());
        } else {
            chooser->typeBox()->setCurrentIndex(type);
        }
        QTest::mouseClick(chooser->findChild<QPushButton*>(QStringLiteral("OK")), Qt::LeftButton);
    });
}

QStringList chooserNames(MainWindow& window)
{
    QStringList names;
    runChooser(window, [&names](TemplateChooser* chooser) {
        for (int i = 0; i < chooser->templateList()->count(); ++i)
            names.append(chooser->templateList()->item(i)->text());
    });
    return names;
}

// A program that takes requests on its local socket: answers one and records its text.
class ListeningProgram : public QThread {
public:
    explicit ListeningProgram(QString name)
        : m_name(std::move(name))
    {
    }

    QSemaphore ready;
    QByteArray request;

protected:
    void run() override
    {
        QLocalServer::removeServer(m_name);
        QLocalServer server;
        const bool listening = server.listen(m_name);
        ready.release();
        if (!listening || !server.waitForNewConnection(5000))
            return;
        QLocalSocket* socket = server.nextPendingConnection();
        QByteArray received;
        while (!received.contains(LocalChannel::Terminator) && socket->waitForReadyRead(5000))
            received += socket->readAll();
        request = received.left(received.indexOf(LocalChannel::Terminator));
        socket->write(LocalChannel::acknowledgement());
        socket->waitForBytesWritten(5000);
        socket->disconnectFromServer();
    }

private:
    QString m_name;
};

QImage iconImage(const QIcon& icon)
{
    return icon.pixmap(QSize(16, 16)).toImage();
}

} // namespace

class FileCommandsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void unchangedSaveGivesBackEveryByte_data();
    void unchangedSaveGivesBackEveryByte();
    void unencodableTextAsksBeforeWritingUtf8_data();
    void unencodableTextAsksBeforeWritingUtf8();
    void tabPictureFollowsTheExactExtension_data();
    void tabPictureFollowsTheExactExtension();
    void unopenablePathGivesAMessageAndNoTab_data();
    void unopenablePathGivesAMessageAndNoTab();
    void largeFileIsAskedAboutBeforeLoading();
    void recentFilesKeepEveryOpenInOrder();
    void savingAnUntitledDocumentAsksForAName_data();
    void savingAnUntitledDocumentAsksForAName();
    void failedSaveLeavesTheDocumentUnsaved();
    void fileChangedOutsideIsNoticed_data();
    void fileChangedOutsideIsNoticed();
    void sessionListsDocumentsInSlotOrder();
    void openingAListOpensItsDocuments_data();
    void openingAListOpensItsDocuments();
    void addFileToProjectNeedsAnOpenedList();
    void lastSessionAtStart_data();
    void lastSessionAtStart();
    void newDocumentsComeFromTemplates();
    void addToTemplatesStaysInTheTemplatesFolder_data();
    void addToTemplatesStaysInTheTemplatesFolder();
    void externalProgramGetsTheSavedDocument_data();
    void externalProgramGetsTheSavedDocument();
};

void FileCommandsTest::unchangedSaveGivesBackEveryByte_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("afterTyping");
    const QByteArray bom("\xef\xbb\xbf");
    const QByteArray cp1251("<meta charset=\"windows-1251\">\r\n<p>\xcf\xf0\xe8\xe2\xe5\xf2</p>");
    QTest::newRow("CR LF") << QByteArray("<p>a</p>\r\n<p>b</p>\r\n") << "x"
                           << QByteArray("x<p>a</p>\r\n<p>b</p>\r\n");
    QTest::newRow("LF") << QByteArray("a\nb\n") << "x" << QByteArray("xa\nb\n");
    QTest::newRow("mixed line ends")
        << QByteArray("a\r\nb\nc\rd\n\r") << "x" << QByteArray("xa\r\nb\nc\rd\n\r");
    QTest::newRow("NUL bytes") << QByteArray("a\0b\r\n\0", 6) << "x"
                               << QByteArray("xa\0b\r\n\0", 7);
    QTest::newRow("invalid UTF-8") << QByteArray("caf\xe9 \x81\x8d\xff\r\n\xc3") << "x"
                                   << QByteArray("xcaf\xe9 \x81\x8d\xff\r\n\xc3");
    QTest::newRow("UTF-8 with BOM") << bom + "<p>\xc3\xa9</p>"
                                    << "x" << bom + "x<p>\xc3\xa9</p>";
    QTest::newRow("UTF-8 without BOM") << QByteArray("<p>\xd0\x96</p>") << QStringLiteral("Ж")
                                       << QByteArray("\xd0\x96<p>\xd0\x96</p>");
    QTest::newRow("windows-1251 declared") << cp1251 << QStringLiteral("Ж") << "\xc6" + cp1251;
}

void FileCommandsTest::unchangedSaveGivesBackEveryByte()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, typed);
    QFETCH(QByteArray, afterTyping);
    Fixture f;
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window));
    const QString path = f.document(QStringLiteral("page.html"), bytes);
    MainWindowDriver::openThroughDialog(f, window, path);

    window.menus().saveHtml->trigger();
    QCOMPARE(MainWindowDriver::fileBytes(path), bytes);

    QTest::keyClick(window.editor(), Qt::Key_Home, Qt::ControlModifier);
    MainWindowDriver::typeText(window.editor(), typed);
    window.menus().saveHtml->trigger();
    QCOMPARE(MainWindowDriver::fileBytes(path), afterTyping);
    QCOMPARE(window.windowTitle(), QStringLiteral("Quillorn - page.html"));
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void FileCommandsTest::unencodableTextAsksBeforeWritingUtf8_data()
{
    // A file in an 8-bit code page; after typing "Ж€" at the end, a Yes saves `saved`
    // (UTF-8, every declaration naming UTF-8) and a No leaves the file alone.
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("saved");
    const QByteArray meta("<meta http-equiv=\"Content-Type\" content=\"text/html; "
                          "charset=windows-1252\">\r\n<p>caf\xe9</p>");
    const QString metaSaved = QStringLiteral("<meta http-equiv=\"Content-Type\" content="
                                             "\"text/html; charset=UTF-8\">\r\n<p>café</p>Ж€");
    QTest::newRow("no declaration, No")
        << "menu.html" << QByteArray("caf\xe9 cr\xe8me") << false << QString();
    QTest::newRow("no declaration gets none")
        << "menu.html" << QByteArray("caf\xe9 cr\xe8me") << true << QStringLiteral("café crèmeЖ€");
    QTest::newRow("content-type meta") << "page.html" << meta << true << metaSaved;
    QTest::newRow("meta charset and XML declaration")
        << "page.xhtml"
        << QByteArray("<?xml version=\"1.0\" encoding='ISO-8859-1'?><meta charset=latin1>\xe9")
        << true
        << QStringLiteral("<?xml version=\"1.0\" encoding='UTF-8'?><meta charset=UTF-8>éЖ€");
    QTest::newRow("style sheet") << "style.css"
                                 << QByteArray("@charset \"windows-1252\"; /* \xe9 */") << true
                                 << QStringLiteral("@charset \"UTF-8\"; /* é */Ж€");
}

void FileCommandsTest::unencodableTextAsksBeforeWritingUtf8()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, yes);
    QFETCH(QString, saved);
    Fixture f;
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window));
    const QString path = f.document(name, bytes);
    MainWindowDriver::openThroughDialog(f, window, path);
    QTest::keyClick(window.editor(), Qt::Key_End, Qt::ControlModifier);
    MainWindowDriver::typeText(window.editor(), QStringLiteral("Ж€"));
    const QByteArray typed = window.editor()->bytes();

    f.prompter.expectYesNo(QStringLiteral("UTF-8"), yes);
    window.menus().saveHtml->trigger();
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
    QCOMPARE(window.documents()[0].saved, yes);
    QCOMPARE(window.windowTitle().endsWith(QLatin1String(" *")), !yes);
    if (!yes) {
        QCOMPARE(MainWindowDriver::fileBytes(path), bytes);
        return;
    }
    const QByteArray written = MainWindowDriver::fileBytes(path);
    QCOMPARE(written, saved.toUtf8());
    // Read back as the same text, and saved again without a question.
    const DocumentCodec::Decoded reread = DocumentCodec::decode(written, QString());
    QCOMPARE(reread.utf8, saved.toUtf8());
    window.menus().saveHtml->trigger();
    QCOMPARE(MainWindowDriver::fileBytes(path), written);
    // Naming UTF-8 is one undo step of its own.
    if (bytes.contains("charset") || bytes.contains("encoding")) {
        window.editor()->undo();
        QCOMPARE(window.editor()->bytes(), typed);
    }
}

void FileCommandsTest::tabPictureFollowsTheExactExtension_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("icon");
    QTest::newRow(".html") << "page.html"
                           << "html.svg";
    QTest::newRow(".htm") << "page.htm"
                          << "html.svg";
    QTest::newRow(".HTML") << "page.HTML" << QString();
    QTest::newRow(".css") << "style.css"
                          << "css.svg";
    QTest::newRow(".js") << "code.js"
                         << "js.svg";
    QTest::newRow(".php3") << "old.php3"
                           << "php.svg";
    QTest::newRow(".Php") << "page.Php" << QString();
}

void FileCommandsTest::tabPictureFollowsTheExactExtension()
{
    QFETCH(QString, fileName);
    QFETCH(QString, icon);
    Fixture f;
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window));
    MainWindowDriver::openThroughDialog(f, window, f.document(fileName, "<p>text</p>"));
    QCOMPARE(window.tabCaption(0), fileName);
    QCOMPARE(window.editor()->text(), QStringLiteral("<p>text</p>"));

    const QImage shown = iconImage(window.tabStrip()->tabIcon(0));
    if (!icon.isEmpty()) {
        QVERIFY(!shown.isNull());
        QCOMPARE(shown, iconImage(QIcon(f.env.path(QLatin1String("icons/") + icon))));
    } else {
        for (const char* kind : {"html.svg", "css.svg", "js.svg", "php.svg"})
            QVERIFY2(shown != iconImage(QIcon(f.env.path(QLatin1String("icons/") + kind))), kind);
    }
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void FileCommandsTest::unopenablePathGivesAMessageAndNoTab_data()
{
    QTest::addColumn<QString>("relative");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing file") << "docs/missing.html"
                                  << "File doesn't exist!";
    QTest::newRow("folder") << "docs/folder.html" << QString();
    QTest::newRow("missing list") << "docs/missing.qlp"
                                  << "File doesn't exist!";
}

void FileCommandsTest::unopenablePathGivesAMessageAndNoTab()
{
    QFETCH(QString, relative);
    QFETCH(QString, message);
    Fixture f;
    QVERIFY(QDir().mkpath(f.env.path(QStringLiteral("docs/folder.html"))));
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window));
    const QString open = f.document(QStringLiteral("open.html"), "kept");

    MainWindowDriver::openThroughDialog(f, window, open);
    f.prompter.expectOpenFile(QString(), f.env.path(relative));
    f.prompter.expectMessage(message, Prompter::Icon::Critical);
    window.menus().openOld->trigger();

    QCOMPARE(captions(window), QStringList{"open.html"});
    QCOMPARE(window.editor()->text(), QStringLiteral("kept"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Quillorn - open.html"));
    QCOMPARE(window.menus().lstOpn.at(0)->text(), QStringLiteral("open.html"));
    QVERIFY(!window.menus().lstOpn.at(1)->isVisible());

    // A recent entry whose file went away says so and leaves the list as it is.
    QVERIFY(QFile::remove(open));
    f.prompter.expectMessage(QStringLiteral("File doesn't exist!"), Prompter::Icon::Critical);
    window.menus().lstOpn.at(0)->trigger();
    QCOMPARE(captions(window), QStringList{"open.html"});
    QCOMPARE(f.context.settings.recentFiles[0], open);
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void FileCommandsTest::largeFileIsAskedAboutBeforeLoading()
{
    Fixture f;
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window));
    // Sparse: as large as it says, without filling the disk.
    const QString path = f.document(QStringLiteral("huge.html"), "<p>");
    QVERIFY(QFile::resize(path, FileIO::AskAboveBytes + 1024 * 1024));

    f.prompter.expectOpenFile(QString(), path);
    f.prompter.expectYesNo(QStringLiteral("201"), false);
    window.menus().openOld->trigger();
    QVERIFY(captions(window).isEmpty());
    QVERIFY(!window.menus().lstOpn.at(0)->isVisible());
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void FileCommandsTest::recentFilesKeepEveryOpenInOrder()
{
    Fixture f;
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window));
    const QString a = f.document(QStringLiteral("a.html"), "a");
    const QString b = f.document(QStringLiteral("b.html"), "b");
    // The same file twice: two tabs and two entries.
    for (const QString& path : {a, b, a})
        MainWindowDriver::openThroughDialog(f, window, path);
    QCOMPARE(captions(window), (QStringList{"a.html", "b.html", "a.html"}));
    const auto recent = f.context.settings.recentFiles;
    QCOMPARE(recent[0], a);
    QCOMPARE(recent[1], b);
    QCOMPARE(recent[2], a);
    const QList<QAction*>& entries = window.menus().lstOpn;
    QCOMPARE(entries.at(2)->text(), QStringLiteral("a.html"));
    QVERIFY(!entries.at(3)->isVisible());

    // An entry opens its file without moving in the list.
    entries.at(1)->trigger();
    QCOMPARE(window.currentSlot(), 3);
    QCOMPARE(window.tabCaption(3), QStringLiteral("b.html"));
    QCOMPARE(window.editor()->text(), QStringLiteral("b"));
    QVERIFY(f.context.settings.recentFiles == recent);
    QCOMPARE(entries.at(0)->text(), QStringLiteral("a.html"));
    QCOMPARE(entries.at(1)->text(), QStringLiteral("b.html"));
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void FileCommandsTest::savingAnUntitledDocumentAsksForAName_data()
{
    QTest::addColumn<QString>("templateName");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("filter");
    QTest::newRow("HTML template") << "HTML Document" << -1 << "unknown.html"
                                   << "HTML page (*.html);;All files (*)";
    QTest::newRow("blank CSS") << QString() << 2 << "unknown.css"
                               << "CSS file (*.css);;All files (*)";
    QTest::newRow("blank JavaScript") << QString() << 1 << "unknown.js"
                                      << "Javascript file (*.js);;All files (*)";
}

void FileCommandsTest::savingAnUntitledDocumentAsksForAName()
{
    QFETCH(QString, templateName);
    QFETCH(int, type);
    QFETCH(QString, caption);
    QFETCH(QString, filter);
    Fixture f;
    QVERIFY(Test::TestEnvironment::copyFolder(QStringLiteral(QUILLORN_SHIPPED_DATA "/templates"),
                                              f.env.path(QStringLiteral("templates"))));
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window));
    chooseTemplate(window, templateName, type);
    QCOMPARE(window.tabCaption(0), caption);
    const QString text = window.editor()->text();
    MainWindowDriver::typeText(window.editor(), QStringLiteral("x"));

    // A cancelled dialog writes nothing and keeps the changes marked.
    f.prompter.expectSaveFile(filter, QString());
    window.menus().saveHtml->trigger();
    QCOMPARE(window.windowTitle(), QLatin1String("Quillorn - ") + caption + QLatin1String(" *"));

    // A name that cannot be written says so, and joins no recent list.
    f.prompter.expectSaveFile(filter, f.env.path(QLatin1String("missing/x") + caption.mid(7)));
    f.prompter.expectMessage(QString(), Prompter::Icon::Critical);
    window.menus().saveHtml->trigger();
    QCOMPARE(window.tabCaption(0), caption);
    QVERIFY(!window.menus().lstOpn.at(0)->isVisible());

    const QString target = f.env.path(QLatin1String("docs/saved") + caption.mid(7));
    QDir().mkpath(QFileInfo(target).absolutePath());
    f.prompter.expectSaveFile(filter, target);
    window.menus().saveHtml->trigger();

    QCOMPARE(f.prompter.lastProposedPath(), caption);
    QCOMPARE(MainWindowDriver::fileBytes(target), (QLatin1Char('x') + text).toUtf8());
    QCOMPARE(window.tabCaption(0), QFileInfo(target).fileName());
    QCOMPARE(window.windowTitle(), QLatin1String("Quillorn - ") + QFileInfo(target).fileName());
    QCOMPARE(window.menus().lstOpn.at(0)->text(), QFileInfo(target).fileName());

    // From now on Save writes to the file without asking.
    MainWindowDriver::typeText(window.editor(), QStringLiteral("y"));
    window.menus().saveHtml->trigger();
    QCOMPARE(MainWindowDriver::fileBytes(target), (QLatin1String("xy") + text).toUtf8());
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void FileCommandsTest::failedSaveLeavesTheDocumentUnsaved()
{
    Fixture f;
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window));
    const QString path = f.document(QStringLiteral("gone/page.html"), "<p>");
    MainWindowDriver::openThroughDialog(f, window, path);
    MainWindowDriver::typeText(window.editor(), QStringLiteral("x"));
    QVERIFY(QDir(QFileInfo(path).absolutePath()).removeRecursively());

    f.prompter.expectMessage(QString(), Prompter::Icon::Critical);
    window.menus().saveHtml->trigger();
    QVERIFY(!QFile::exists(path));
    QCOMPARE(window.windowTitle(), QStringLiteral("Quillorn - page.html *"));

    // The text is still the user's to keep: closing asks.
    f.prompter.expectYesNo(f.context.strings.message(Str::SaveBeforeClosing), false);
    window.menus().clsW->trigger();
    QVERIFY(captions(window).isEmpty());
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void FileCommandsTest::sessionListsDocumentsInSlotOrder()
{
    Fixture f;
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window));
    QStringList paths;
    for (int i = 0; i < 10; ++i) {
        paths.append(f.document(QStringLiteral("f%1.html").arg(i), "f"));
        MainWindowDriver::openThroughDialog(f, window, paths.last());
    }
    for (int tab : {1, 5}) {
        MainWindowDriver::clickTab(window, tab);
        window.menus().clsW->trigger();
    }
    // Opened last, listed second: slot 1 was freed first.
    paths[1] = f.document(QStringLiteral("g.html"), "g");
    MainWindowDriver::openThroughDialog(f, window, paths[1]);
    chooseTemplate(window, QString(), 0);
    QCOMPARE(window.tabCaption(5), QStringLiteral("unknown.html"));
    paths[5].clear();

    const QString session = f.env.path(QStringLiteral("docs/work.qlp"));
    f.prompter.expectSaveFile(QStringLiteral("(*.qlp)"), session);
    window.menus().saveSession->trigger();
    QCOMPARE(MainWindowDriver::fileBytes(session), paths.join(QLatin1String("\r\n")).toUtf8());
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void FileCommandsTest::openingAListOpensItsDocuments_data()
{
    // "@x" names document x.html beside the list, "@self" the list itself, "@nothere" and
    // "@gone" missing files; "{docs}" in the message stands for the list's folder.
    QTest::addColumn<QString>("listName");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("opened");
    QTest::newRow("missing file") << "s.qlp" << QStringList{"@a", "@nothere", "@b"}
                                  << "File doesn't exist!" << QStringList{"a.html", "b.html"};
    QTest::newRow("missing files, told once")
        << "s.qlp" << QStringList{"@a", "@nothere", "@b", "@gone"}
        << "These files don't exist:\n{docs}nothere.html\n{docs}gone.html"
        << QStringList{"a.html", "b.html"};
    QTest::newRow("capital extension")
        << "S.QLP" << QStringList{"@a", "@b"} << "" << QStringList{"a.html", "b.html"};
    QTest::newRow("untitled entry") << "s.qlp" << QStringList{"@a", "", "@b"}
                                    << "File doesn't exist!" << QStringList{"a.html", "b.html"};
    QTest::newRow("lists itself") << "self.qlp" << QStringList{"@a", "@self", "@b"} << ""
                                  << QStringList{"a.html", "b.html"};
    QStringList twelve;
    QStringList ten;
    for (int i = 0; i < 10; ++i) {
        twelve.append(QStringLiteral("@d%1").arg(i));
        ten.append(QStringLiteral("d%1.html").arg(i));
    }
    twelve << "@nothere"
           << "@d0";
    QTest::newRow("more than ten") << "big.qlp" << twelve << "" << ten;
}

void FileCommandsTest::openingAListOpensItsDocuments()
{
    QFETCH(QString, listName);
    QFETCH(QStringList, lines);
    QFETCH(QString, message);
    QFETCH(QStringList, opened);
    Fixture f;
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window));
    const QString list = f.env.path(QLatin1String("docs/") + listName);
    QStringList entries;
    for (const QString& line : lines) {
        if (line == QLatin1String("@self"))
            entries.append(list);
        else if (line == QLatin1String("@nothere") || line == QLatin1String("@gone"))
            entries.append(
                f.env.path(QLatin1String("docs/") + line.mid(1) + QLatin1String(".html")));
        else if (line.startsWith(QLatin1Char('@')))
            entries.append(f.document(line.mid(1) + QLatin1String(".html"), line.toLatin1()));
        else
            entries.append(line);
    }
    QVERIFY(f.env.writeFile(QLatin1String("docs/") + listName,
                            entries.join(QLatin1String("\r\n")).toUtf8()));

    f.prompter.expectOpenFile(QString(), list);
    if (!message.isEmpty())
        f.prompter.expectMessage(message.replace(QLatin1String("{docs}"), f.env.path("docs/")),
                                 Prompter::Icon::Critical);
    window.menus().openOld->trigger();

    QCOMPARE(captions(window), opened);
    QCOMPARE(window.files().currentProject(), list);
    QCOMPARE(window.menus().lstOpn.at(0)->text(), listName);
    QVERIFY(!window.menus().lstOpn.at(1)->isVisible());
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void FileCommandsTest::addFileToProjectNeedsAnOpenedList()
{
    Fixture f;
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window));
    const QString a = f.document(QStringLiteral("a.html"), "a");
    const QString b = f.document(QStringLiteral("b.html"), "b");
    const QString project = f.env.path(QStringLiteral("docs/p.qlp"));
    const QString notSaved = f.context.strings.message(Str::ProjectNotSaved);
    MainWindowDriver::openThroughDialog(f, window, a);

    f.prompter.expectMessage(notSaved);
    window.menus().add2Proj->trigger();
    // A list written by "Save session" is not one that was opened.
    f.prompter.expectSaveFile(QStringLiteral("(*.qlp)"), project);
    window.menus().saveSession->trigger();
    f.prompter.expectMessage(notSaved);
    window.menus().add2Proj->trigger();
    QCOMPARE(MainWindowDriver::fileBytes(project), a.toUtf8());

    MainWindowDriver::openThroughDialog(f, window, project);
    MainWindowDriver::openThroughDialog(f, window, b);
    window.menus().add2Proj->trigger();
    QCOMPARE(MainWindowDriver::fileBytes(project), (a + QLatin1String("\r\n") + b).toUtf8());

    chooseTemplate(window, QString(), 0);
    f.prompter.expectMessage(f.context.strings.message(Str::SaveFileFirstForProject));
    window.menus().add2Proj->trigger();
    QCOMPARE(MainWindowDriver::fileBytes(project), (a + QLatin1String("\r\n") + b).toUtf8());
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void FileCommandsTest::lastSessionAtStart_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QStringList>("session");
    QTest::addColumn<bool>("commandLine");
    QTest::addColumn<QStringList>("opened");
    const QByteArray on("open_last_session=1\r\n");
    QTest::newRow("reopened") << on << QStringList{"a", "b"} << false
                              << QStringList{"a.html", "b.html"};
    QTest::newRow("setting off") << QByteArray() << QStringList{"a", "b"} << false << QStringList();
    QTest::newRow("command line wins")
        << on << QStringList{"a", "b"} << true << QStringList{"c.html"};
    QTest::newRow("empty session") << on << QStringList() << false << QStringList();
}

void FileCommandsTest::lastSessionAtStart()
{
    QFETCH(QByteArray, settings);
    QFETCH(QStringList, session);
    QFETCH(bool, commandLine);
    QFETCH(QStringList, opened);
    Fixture f;
    QVERIFY(f.env.writeFile(QStringLiteral("settings.dat"), settings));
    QStringList paths;
    for (const QString& name : session)
        paths.append(f.document(name + QLatin1String(".html"), name.toLatin1()));
    QVERIFY(f.env.writeFile(QStringLiteral("last_session.qlp"),
                            paths.join(QLatin1String("\r\n")).toUtf8()));
    const QString c = f.document(QStringLiteral("c.html"), "c");

    // A session file in the current folder is not the program's.
    QTemporaryDir elsewhere;
    const QString decoy = elsewhere.filePath(QStringLiteral("decoy.html"));
    QFile decoyFile(decoy);
    QVERIFY(decoyFile.open(QIODevice::WriteOnly));
    decoyFile.close();
    QFile decoySession(elsewhere.filePath(QStringLiteral("last_session.qlp")));
    QVERIFY(decoySession.open(QIODevice::WriteOnly));
    decoySession.write(decoy.toUtf8());
    decoySession.close();
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(elsewhere.path()));

    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window));
    window.init(commandLine ? QStringList{c} : QStringList());
    QDir::setCurrent(previous);

    QCOMPARE(captions(window), opened);
    // The last session is not a file the user opened; the command line's file is.
    QCOMPARE(window.menus().lstOpn.at(0)->isVisible(), commandLine);
    if (commandLine)
        QCOMPARE(f.context.settings.recentFiles[0], c);
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void FileCommandsTest::newDocumentsComeFromTemplates()
{
    Fixture f;
    QVERIFY(Test::TestEnvironment::copyFolder(QStringLiteral(QUILLORN_SHIPPED_DATA "/templates"),
                                              f.env.path(QStringLiteral("templates"))));
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window));
    const QString htmlTemplate = QString::fromLatin1(
        f.env.readFile(QStringLiteral("templates/HTML Document.html")).replace("\r\n", "\n"));

    chooseTemplate(window, QStringLiteral("HTML Document"));
    chooseTemplate(window, QStringLiteral("HTML Document"));
    chooseTemplate(window, QString(), 2);
    QCOMPARE(captions(window), (QStringList{"unknown.html", "unknown.html", "unknown.css"}));
    QVERIFY(window.editor()->text().isEmpty());
    QCOMPARE(window.windowTitle(), QStringLiteral("Quillorn - unknown.css"));

    MainWindowDriver::clickTab(window, 0);
    QString shown = window.editor()->text();
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QCOMPARE(shown + QLatin1Char('\n'), htmlTemplate.endsWith(QLatin1Char('\n'))
                                            ? htmlTemplate
                                            : htmlTemplate + QLatin1Char('\n'));
    for (int slot : {0, 1, 2})
        QVERIFY(window.documents()[slot].path.isEmpty());
    QVERIFY(window.openedPathText().isEmpty());
    QCOMPARE(window.tabStrip()->tabIcon(0).isNull(), false);
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void FileCommandsTest::addToTemplatesStaysInTheTemplatesFolder_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("refused");
    QTest::newRow("plain name") << "Mine.html"
                                << "templates/Mine.html" << false;
    QTest::newRow("leaves the folder") << "../evil.html" << QString() << true;
    QTest::newRow("cancelled") << QString() << QString() << false;
}

void FileCommandsTest::addToTemplatesStaysInTheTemplatesFolder()
{
    QFETCH(QString, answer);
    QFETCH(QString, stored);
    QFETCH(bool, refused);
    Fixture f;
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window));
    MainWindowDriver::openThroughDialog(f, window,
                                        f.document(QStringLiteral("mine.html"), "<p>mine</p>\r\n"));

    f.prompter.expectInput(QStringLiteral("Template name.html"), answer);
    if (refused)
        f.prompter.expectMessage(QString(), Prompter::Icon::Exclamation);
    window.menus().addTemplate->trigger();

    QVERIFY(!QFile::exists(f.env.path(QStringLiteral("evil.html"))));
    QCOMPARE(QDir(f.env.path(QStringLiteral("templates"))).entryList(QDir::Files).size(),
             stored.isEmpty() ? 0 : 1);
    if (!stored.isEmpty()) {
        QCOMPARE(f.env.readFile(stored), QByteArray("<p>mine</p>\r\n"));
        QCOMPARE(chooserNames(window), QStringList{"Mine"});
    }
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void FileCommandsTest::externalProgramGetsTheSavedDocument_data()
{
    QTest::addColumn<bool>("listening");
    QTest::newRow("nobody listens: the program starts") << false;
    QTest::newRow("the program listens: it gets the request") << true;
}

void FileCommandsTest::externalProgramGetsTheSavedDocument()
{
    QFETCH(bool, listening);
    Fixture f;
    const QString record = f.env.path(QStringLiteral("record.txt"));
    const QString script = f.env.path(QStringLiteral("bin/record"));
    QVERIFY(f.env.writeFile(QStringLiteral("bin/record"),
                            "#!/bin/sh\nprintf '%s\\n' \"$1\" \"$(pwd)\" >> '" + record.toUtf8() +
                                "'\n"));
    QVERIFY(QFile::setPermissions(script, QFile::permissions(script) | QFile::ExeOwner));
    QVERIFY(f.env.writeFile(QStringLiteral("settings.dat"),
                            "extern=Recorder///show \"%1\" now///QuillornTestViewer///" +
                                script.toUtf8() + "///Pages\r\n"));
    // A program that listens answers from its own thread, as another process would.
    ListeningProgram listener(
        LocalChannel::serverName(QStringLiteral("QuillornTestViewer"), QStringLiteral("Pages")));
    if (listening) {
        listener.start();
        QVERIFY(listener.ready.tryAcquire(1, 5000));
    }
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window));
    auto* entry = window.findChild<QAction*>(QStringLiteral("ext(0)"));
    QVERIFY(entry);
    QCOMPARE(entry->text(), QStringLiteral("Recorder"));

    f.prompter.expectMessage(f.context.strings.message(Str::OpenFileFirst));
    entry->trigger();
    const QString path = f.document(QStringLiteral("my page.html"), "<p>");
    MainWindowDriver::openThroughDialog(f, window, path);
    MainWindowDriver::typeText(window.editor(), QStringLiteral("x"));
    f.prompter.expectMessage(f.context.strings.message(Str::SaveFileFirst));
    entry->trigger();
    window.menus().saveHtml->trigger();
    entry->trigger();

    if (listening) {
        QVERIFY(listener.wait(5000));
        QCOMPARE(listener.request, QByteArray("show \"" + path.toUtf8() + "\" now"));
        // The listener has ended: the next request falls back to starting the program, and
        // the record then shows that one start alone.
        entry->trigger();
    }
    const QByteArray oneStart =
        (path + QLatin1Char('\n') + QFileInfo(path).absolutePath() + QLatin1Char('\n')).toUtf8();
    QTRY_COMPARE(MainWindowDriver::fileBytes(record), oneStart);
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

QTEST_MAIN(FileCommandsTest)
void FileCommandsTest::fileChangedOutsideIsNoticed_data()
{
    // Whether the document has changes of its own, what the other program does, the answer to
    // the question (when one is asked) and the text the document ends with.
    QTest::addColumn<bool>("edited");
    QTest::addColumn<bool>("removed");
    QTest::addColumn<bool>("reload");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("unchanged: taken at once") << false << false << false << QByteArray("new\n");
    QTest::newRow("edited: reloaded") << true << false << true << QByteArray("new\n");
    QTest::newRow("edited: kept") << true << false << false << QByteArray("xold\n");
    QTest::newRow("removed") << false << true << false << QByteArray("old\n");
}

void FileCommandsTest::fileChangedOutsideIsNoticed()
{
    QFETCH(bool, edited);
    QFETCH(bool, removed);
    QFETCH(bool, reload);
    QFETCH(QByteArray, after);
    Fixture fixture;
    const QString path = fixture.document(QStringLiteral("page.html"), "old\n");
    MainWindow window(fixture.context);
    window.files().openDocument(path, false);
    if (edited)
        MainWindowDriver::typeText(window.editor(), QStringLiteral("x"));
    if (removed)
        fixture.prompter.expectMessage(QStringLiteral("deleted or moved"),
                                       Prompter::Icon::Exclamation);
    else if (edited)
        fixture.prompter.expectYesNo(QStringLiteral("changed by another program"), reload);

    if (removed) {
        QVERIFY(QFile::remove(path));
    } else {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("new\n");
    }
    QTRY_VERIFY2_WITH_TIMEOUT(fixture.prompter.finished() &&
                                  window.currentDocument().bytes() == after,
                              qPrintable(fixture.prompter.errors()), 30000);
    QCOMPARE(window.currentDocument().isSaved(), !removed && (!edited || reload));
    if (edited && reload) {
        // The text of before the reload is one Undo away.
        window.editor()->undo();
        QCOMPARE(window.currentDocument().bytes(), QByteArray("xold\n"));
    }
}

#include "FileCommandsTest.moc"
