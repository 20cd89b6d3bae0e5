#pragma once

#include "documents/DocumentToolContext.h"

#include <QObject>

#include <memory>

class QPrinter;

namespace Quillorn {

// The Print and Print preview commands on the current document: the system's print dialog
// and preview window, the pages laid out by DocumentPrinter. Without a printer the pages go to
// a PDF file the user names, written through the file layer.
class PrintCommands : public QObject {
    Q_OBJECT
public:
    using Context = DocumentToolContext;

    explicit PrintCommands(const Context& context, QObject* parent = nullptr);
    ~PrintCommands() override;

    // Prints the document: on a printer chosen in the print dialog (the selection alone when
    // the user picks it there), or to a PDF file when no printer is installed.
    void print();
    // Shows the pages in the preview window; its Print button runs print().
    void preview();

private:
    void printToPdfFile();
    // The printer the dialogs set up, kept so that a page set-up holds for the next job.
    QPrinter& printer();
    // Tells the user that the document could not be printed, and why when that is known.
    void reportFailure(const QString& reason = {});

    Context m_context;
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace Quillorn
