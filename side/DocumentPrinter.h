#pragma once

#include "documents/CurrentDocument.h"

#include <QRect>
#include <QString>

class QPagedPaintDevice;
class QPainter;

namespace Quillorn {

class LangStrings;
class Prompter;

// Prints the current document page by page: the editor component lays out and draws the text
// of each page in its colours, between margins of half an inch left and right and an inch at
// the top and bottom; above the text, every page names the document and its page number.
class DocumentPrinter {
public:
    // Margins in twips (1440 to the inch), measured from the edges of the paper.
    static constexpr int LeftMargin = 720;
    static constexpr int TopMargin = 1440;
    static constexpr int RightMargin = 720;
    static constexpr int BottomMargin = 1440;

    struct Job {
        CurrentDocument::ByteRange range; // the text to print
        // The pages that go on paper, counted from 1; 0 for no limit.
        int fromPage = 0;
        int toPage = 0;
        // A message with the new page number before every page after the first, which holds
        // the job until the user confirms it.
        bool askBetweenPages = true;
        // Events are handled between pages and colouring steps, so that the window keeps
        // painting (the user's input waits until the job is done).
        bool keepResponsive = true;
    };

    DocumentPrinter(CurrentDocument& document, const LangStrings& strings, Prompter& prompter)
        : m_document(document)
        , m_strings(strings)
        , m_prompter(prompter)
    {
    }

    // The whole text, from the first byte to the last.
    Job wholeDocument() const;

    // Prints `job` on `device`, which nothing has painted on yet. False when the device
    // refused, a page held no text at all (a paper too small for a line), or another
    // document was shown or the text changed while the job waited.
    bool print(QPagedPaintDevice& device, const Job& job);

    // "Page N" in the interface language.
    QString pageLabel(int page) const;

private:
    // Where a page's parts go, in device units from the corner of the printable area.
    struct Frame {
        QRect header;
        QRect text;
    };
    static Frame frameOf(const QPagedPaintDevice& device);
    void drawHeader(QPainter& painter, const QRect& area, int page) const;

    CurrentDocument& m_document;
    const LangStrings& m_strings;
    Prompter& m_prompter;
};

} // namespace Quillorn
