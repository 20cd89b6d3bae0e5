#include "side/DocumentPrinter.h"
#include "app/MainWindow.h"
#include "editing/StyleBlockColourer.h"
#include "support/MainWindowDriver.h"

#include <QAction>
#include <QApplication>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

using namespace Quillorn;

// Printing through the editor component onto a real printer in PDF mode, read back with
// pdftotext and pdftocairo; and the Print and Print preview commands of the main window.
class DocumentPrinterTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void pagesCarryTheHeaderAndAskBetweenPages_data();
    void pagesCarryTheHeaderAndAskBetweenPages();
    void lineNumbersFollowTheGutter_data();
    void lineNumbersFollowTheGutter();
    void colouredTextKeepsItsColourOffScreen();
    void printWithoutPrinterWritesThePdfFileNamed_data();
    void printWithoutPrinterWritesThePdfFileNamed();
    void previewShowsThePagesWithoutAsking();

private:
    int m_linesPerPage = 0;
};

namespace {

struct Session {
    Test::AppFixture f;
    MainWindow window{f.context};
    QString path;

    bool open(const QByteArray& bytes)
    {
        if (!Test::MainWindowDriver::show(window))
            return false;
        path = f.document(QStringLiteral("page.html"), bytes);
        Test::MainWindowDriver::openThroughDialog(f, window, path);
        return window.currentDocument().bytes() == bytes;
    }

    // Prints `job` (the whole document by default) on A4 to the PDF file `pdf`.
    bool print(const QString& pdf, std::optional<DocumentPrinter::Job> job = {})
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
        DocumentPrinter pages(window.currentDocument(), f.context.strings, f.prompter);
        return pages.print(printer, job.value_or(pages.wholeDocument()));
    }
};

QByteArray numberedLines(int count)
{
    QByteArray text;
    for (int i = 1; i <= count; ++i)
        text += "line " + QByteArray::number(i) + "\r\n";
    return text;
}

QByteArray run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}

// The text of every page, as laid out on paper. The header's font joins "fi" and "fl" into
// one glyph, which comes back as a ligature character: it is read as its letters again, or a
// temporary folder whose random name holds them would not match its path.
QStringList pdfPages(const QString& pdf)
{
    QStringList pages =
        QString::fromUtf8(
            run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")}))
            .normalized(QString::NormalizationForm_KC)
            .split(QLatin1Char('\f'));
    pages.removeLast(); // after the last page's form feed
    return pages;
}

// The colours ("#rrggbb") text and shapes are filled with on page `page`.
QStringList pdfColours(const QString& pdf, int page)
{
    const QString svg = pdf + QLatin1String(".svg");
    const QString number = QString::number(page);
    run(QStringLiteral("pdftocairo"), {QStringLiteral("-svg"), QStringLiteral("-f"), number,
                                       QStringLiteral("-l"), number, pdf, svg});
    QFile file(svg);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression rgb(
        QStringLiteral(R"(rgb\(\s*([\d.]+)%\s*,\s*([\d.]+)%\s*,\s*([\d.]+)%\s*\))"));
    QStringList colours;
    for (const QRegularExpressionMatch& m : rgb.globalMatch(QString::fromUtf8(file.readAll()))) {
        const auto channel = [&m](int i) {
            return qRound(m.captured(i).toDouble() * 2.55);
        };
        const QString colour = QColor(channel(1), channel(2), channel(3)).name();
        if (!colours.contains(colour))
            colours.append(colour);
    }
    return colours;
}

// Calls `act` with the preview window once it is the open dialog, looking every 10 ms.
void whenPreviewShows(std::function<void(QPrintPreviewDialog*)> act, int triesLeft = 6000)
{
    QTimer::singleShot(10, qApp, [act = std::move(act), triesLeft] {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (dialog && dialog->isVisible())
            act(dialog);
        else if (triesLeft > 0)
            whenPreviewShows(act, triesLeft - 1);
    });
}

} // namespace

void DocumentPrinterTest::initTestCase()
{
    // How many lines of the editor's font an A4 page holds, from a long printed document.
    Session s;
    QVERIFY(s.open(numberedLines(300)));
    const QString pdf = s.f.env.path(QStringLiteral("measure.pdf"));
    QVERIFY(s.print(pdf));
    const QStringList pages = pdfPages(pdf);
    QVERIFY(!pages.isEmpty());
    static const QRegularExpression line(QStringLiteral("line (\\d+)"));
    for (const QRegularExpressionMatch& m : line.globalMatch(pages.first()))
        m_linesPerPage = std::max(m_linesPerPage, m.captured(1).toInt());
    QVERIFY(m_linesPerPage > 10 && m_linesPerPage < 300);
}

void DocumentPrinterTest::pagesCarryTheHeaderAndAskBetweenPages_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QString>("lastPageShows");
    QTest::newRow("empty") << QByteArray() << 1 << QString();
    QTest::newRow("one page") << numberedLines(3) << 1 << "line 3";
    QTest::newRow("three pages") << numberedLines(2 * m_linesPerPage + 1) << 3
                                 << QStringLiteral("line %1").arg(2 * m_linesPerPage + 1);
    QTest::newRow("Cyrillic") << QByteArray("<p>Привет, мир</p>\r\n") << 1 << "Привет, мир";
}

void DocumentPrinterTest::pagesCarryTheHeaderAndAskBetweenPages()
{
    QFETCH(QByteArray, text);
    QFETCH(int, pages);
    QFETCH(QString, lastPageShows);
    Session s;
    QVERIFY(s.open(text));
    for (int page = 2; page <= pages; ++page)
        s.f.prompter.expectMessage(QStringLiteral("Page %1").arg(page));
    const QString pdf = s.f.env.path(QStringLiteral("out.pdf"));
    QVERIFY(s.print(pdf));
    QVERIFY2(s.f.prompter.finished(), qPrintable(s.f.prompter.errors()));

    const QStringList printed = pdfPages(pdf);
    QCOMPARE(printed.size(), pages);
    for (int i = 0; i < pages; ++i) {
        QVERIFY2(printed[i].contains(QLatin1String("Quillorn ") + s.path), qPrintable(printed[i]));
        QVERIFY(printed[i].contains(QStringLiteral("Page %1").arg(i + 1)));
    }
    QVERIFY2(printed.last().contains(lastPageShows), qPrintable(printed.last()));
    // Every line once, in order: none lost or doubled where a page ends.
    static const QRegularExpression line(QStringLiteral("line (\\d+)"));
    int expected = 1;
    for (const QRegularExpressionMatch& m : line.globalMatch(printed.join(QString())))
        QCOMPARE(m.captured(1).toInt(), expected++);
}

void DocumentPrinterTest::lineNumbersFollowTheGutter_data()
{
    QTest::addColumn<bool>("gutter");
    QTest::addColumn<QString>("secondLine");
    QTest::newRow("shown") << true << "^\\s*2\\s+beta$";
    QTest::newRow("hidden") << false << "^\\s*beta$";
}

void DocumentPrinterTest::lineNumbersFollowTheGutter()
{
    QFETCH(bool, gutter);
    QFETCH(QString, secondLine);
    Session s;
    QVERIFY(s.open("alpha\r\nbeta\r\n"));
    s.window.menus().setNum->setChecked(gutter);
    const QString pdf = s.f.env.path(QStringLiteral("out.pdf"));
    QVERIFY(s.print(pdf));
    const QStringList printed = pdfPages(pdf);
    QCOMPARE(printed.size(), 1);
    const QRegularExpression expected(secondLine, QRegularExpression::MultilineOption);
    QVERIFY2(expected.match(printed.first()).hasMatch(), qPrintable(printed.first()));
}

void DocumentPrinterTest::colouredTextKeepsItsColourOffScreen()
{
    // A style sheet far below the first screen, never shown: the editor has not coloured it.
    QByteArray text;
    for (int i = 0; i < 400; ++i)
        text += "<p>filler " + QByteArray::number(i) + "</p>\r\n";
    const qint64 sheet = text.size();
    text += "<style>\r\np.note { margin: 0; }\r\n</style>\r\n";
    Session s;
    QVERIFY(s.open(text));
    DocumentPrinter::Job job;
    job.range = {sheet, text.size()};
    const QString pdf = s.f.env.path(QStringLiteral("out.pdf"));
    QVERIFY(s.print(pdf, job));

    const QStringList printed = pdfPages(pdf);
    QCOMPARE(printed.size(), 1);
    QVERIFY(printed.first().contains(QLatin1String("p.note")));
    QVERIFY(!printed.first().contains(QLatin1String("filler")));
    const QStringList colours = pdfColours(pdf, 1);
    const QString property = StyleBlockColourer::colour(CssTokenizer::Kind::Property).name();
    QVERIFY2(colours.contains(property), qPrintable(colours.join(QLatin1Char(' '))));
}

void DocumentPrinterTest::printWithoutPrinterWritesThePdfFileNamed_data()
{
    QTest::addColumn<QString>("answer"); // below the temporary folder
    QTest::addColumn<QString>("written");
    QTest::newRow("name without extension") << "out"
                                            << "out.pdf";
    QTest::newRow("folder missing") << "missing/out.pdf" << QString();
}

void DocumentPrinterTest::printWithoutPrinterWritesThePdfFileNamed()
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        QSKIP("A printer is installed: Print shows the system's print dialog.");
    QFETCH(QString, answer);
    QFETCH(QString, written);
    Session s;
    QVERIFY(s.open("<p>printed</p>\r\n"));
    const LangStrings& strings = s.f.context.strings;
    s.f.prompter.expectMessage(strings.message(Str::PrintToPdfFile));
    s.f.prompter.expectSaveFile(QStringLiteral("*.pdf"), s.f.env.path(answer));
    if (written.isEmpty())
        s.f.prompter.expectMessage(strings.message(Str::PrintFailed), Prompter::Icon::Critical);
    // Ctrl+P in the editor, as a user prints.
    QTest::keyClick(s.window.editor(), Qt::Key_P, Qt::ControlModifier);
    QVERIFY2(s.f.prompter.finished(), qPrintable(s.f.prompter.errors()));
    QCOMPARE(s.f.prompter.lastProposedPath(), s.f.env.path(QStringLiteral("docs/page.pdf")));
    if (written.isEmpty())
        return;
    const QStringList printed = pdfPages(s.f.env.path(written));
    QCOMPARE(printed.size(), 1);
    QVERIFY(printed.first().contains(QLatin1String("<p>printed</p>")));
}

void DocumentPrinterTest::previewShowsThePagesWithoutAsking()
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        QSKIP("A printer is installed: Print shows the system's print dialog.");
    Session s;
    QVERIFY(s.open(numberedLines(2 * m_linesPerPage + 1)));
    int pages = 0;
    whenPreviewShows([&pages](QPrintPreviewDialog* dialog) {
        pages = dialog->findChild<QPrintPreviewWidget*>()->pageCount();
        // The window's Print button leads to the Print command.
        const QString print = QCoreApplication::translate("QPrintPreviewDialog", "Print");
        for (QAction* action : dialog->findChildren<QAction*>()) {
            if (action->text() == print) {
                action->trigger();
                return;
            }
        }
        dialog->reject();
    });
    s.f.prompter.expectMessage(s.f.context.strings.message(Str::PrintToPdfFile));
    s.f.prompter.expectSaveFile(QStringLiteral("*.pdf"), QString());
    s.window.menus().printPreview->trigger();
    QCOMPARE(pages, 3);
    QVERIFY2(s.f.prompter.finished(), qPrintable(s.f.prompter.errors()));
}

QTEST_MAIN(DocumentPrinterTest)
#include "DocumentPrinterTest.moc"
