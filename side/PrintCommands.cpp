#include "side/PrintCommands.h"

#include "documents/CurrentDocument.h"
#include "documents/FileIO.h"
#include "platform/LangStrings.h"
#include "platform/Prompter.h"
#include "side/DocumentPrinter.h"

#include <QAction>
#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace Quillorn {

namespace {

// The document's own name with ".pdf"; nothing for a document without a file.
QString proposedPdfPath(const QString& documentPath)
{
    if (documentPath.isEmpty())
        return {};
    const QFileInfo file(documentPath);
    return file.path() + QLatin1Char('/') + file.completeBaseName() + QLatin1String(".pdf");
}

} // namespace

PrintCommands::PrintCommands(const Context& context, QObject* parent)
    : QObject(parent)
    , m_context(context)
{
}

PrintCommands::~PrintCommands() = default;

QPrinter& PrintCommands::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void PrintCommands::print()
{
    CurrentDocument& document = m_context.document;
    if (!document.isOpen())
        return;
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        printToPdfFile();
        return;
    }
    QPrinter& target = printer();
    target.setPrintRange(QPrinter::AllPages);
    target.setFromTo(0, 0);
    QPrintDialog dialog(&target, m_context.window);
    const CurrentDocument::ByteRange selection = document.selectionRange();
    dialog.setOption(QAbstractPrintDialog::PrintSelection, selection.start < selection.end);
    if (dialog.exec() != QDialog::Accepted)
        return;

    DocumentPrinter pages(document, m_context.strings, m_context.prompter);
    DocumentPrinter::Job job = pages.wholeDocument();
    if (target.printRange() == QPrinter::Selection) {
        job.range = selection;
    } else if (target.printRange() == QPrinter::PageRange) {
        job.fromPage = target.fromPage();
        job.toPage = target.toPage();
    }
    if (!pages.print(target, job))
        reportFailure();
}

void PrintCommands::printToPdfFile()
{
    const LangStrings& strings = m_context.strings;
    Prompter& prompter = m_context.prompter;
    CurrentDocument& document = m_context.document;
    prompter.message(strings.message(Str::PrintToPdfFile));
    QString path =
        prompter.saveFileName(strings.value(Str::Print), proposedPdfPath(document.path()),
                              strings.value(Str::PdfFiles) + QLatin1String(" (*.pdf)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1String(".pdf");

    // Made in memory and saved through the file layer, so that a failure keeps the old file.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pdf);
    writer.setPageLayout(printer().pageLayout());
    writer.setResolution(printer().resolution());
    writer.setTitle(document.path());
    writer.setCreator(QStringLiteral("Quillorn"));
    DocumentPrinter pages(document, strings, prompter);
    if (!pages.print(writer, pages.wholeDocument())) {
        reportFailure();
        return;
    }
    const FileFailure failure = FileIO::saveFile(path, pdf.data());
    if (!failure.ok())
        reportFailure(failure.describe(strings));
}

void PrintCommands::preview()
{
    if (!m_context.document.isOpen())
        return;
    QPrintPreviewDialog dialog(&printer(), m_context.window);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) {
        DocumentPrinter pages(m_context.document, m_context.strings, m_context.prompter);
        DocumentPrinter::Job job = pages.wholeDocument();
        job.askBetweenPages = false;
        // The preview lays out all its pages at once and paints them afterwards.
        job.keepResponsive = false;
        pages.print(*target, job);
    });
    // The window's Print button runs the Print command, with its page messages and its PDF
    // file, instead of printing the preview's way.
    bool printChosen = false;
    const QString printCaption = QCoreApplication::translate("QPrintPreviewDialog", "Print");
    for (QAction* action : dialog.findChildren<QAction*>()) {
        if (action->text() != printCaption)
            continue;
        disconnect(action, &QAction::triggered, &dialog, nullptr);
        connect(action, &QAction::triggered, &dialog, [&dialog, &printChosen] {
            printChosen = true;
            dialog.accept();
        });
    }
    dialog.exec();
    if (printChosen)
        print();
}

void PrintCommands::reportFailure(const QString& reason)
{
    QString text = m_context.strings.message(Str::PrintFailed);
    if (!reason.isEmpty())
        text += QLatin1String("\n\n") + reason;
    m_context.prompter.message(text, Prompter::Icon::Critical);
}

} // namespace Quillorn
