#include "side/DocumentPrinter.h"

#include "platform/LangStrings.h"
#include "platform/Prompter.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace Quillorn {

namespace {

constexpr int TwipsPerInch = 1440;
constexpr int TwipsPerPoint = 20;
constexpr qreal HeaderPoints = 9;

int toDevice(int twips, int dpi)
{
    return static_cast<int>(qint64(twips) * dpi / TwipsPerInch);
}

} // namespace

DocumentPrinter::Job DocumentPrinter::wholeDocument() const
{
    Job job;
    job.range = {0, m_document.length()};
    return job;
}

QString DocumentPrinter::pageLabel(int page) const
{
    return m_strings.value(Str::Page, QStringLiteral("Page")) + QLatin1Char(' ') +
           QString::number(page);
}

DocumentPrinter::Frame DocumentPrinter::frameOf(const QPagedPaintDevice& device)
{
    // The paper and its printable area in whole twips; the painter starts at the printable
    // area's corner.
    const QPageLayout layout = device.pageLayout();
    const QRectF paper = layout.fullRect(QPageLayout::Point);
    const QRectF printable = layout.paintRect(QPageLayout::Point);
    const auto twips = [](qreal points) {
        return qRound(points * TwipsPerPoint);
    };
    const int offsetX = twips(printable.left() - paper.left());
    const int offsetY = twips(printable.top() - paper.top());
    // A printer whose own margins are wider than these keeps to its printable area.
    const int left = std::max(0, LeftMargin - offsetX);
    const int top = std::max(0, TopMargin - offsetY);
    const int right =
        std::min(twips(paper.width()) - RightMargin - offsetX, twips(printable.width()));
    const int bottom =
        std::min(twips(paper.height()) - BottomMargin - offsetY, twips(printable.height()));
    // The header lies in the top margin, half an inch below the paper's edge.
    const int headerTop = std::max(0, TopMargin / 2 - offsetY);

    const int dpiX = device.logicalDpiX();
    const int dpiY = device.logicalDpiY();
    const auto rect = [dpiX, dpiY](int l, int t, int r, int b) {
        const int x = toDevice(l, dpiX);
        const int y = toDevice(t, dpiY);
        return QRect(x, y, std::max(0, toDevice(r, dpiX) - x), std::max(0, toDevice(b, dpiY) - y));
    };
    return {rect(left, headerTop, right, top), rect(left, top, right, bottom)};
}

void DocumentPrinter::drawHeader(QPainter& painter, const QRect& area, int page) const
{
    painter.save();
    QFont font = QGuiApplication::font();
    font.setPointSizeF(HeaderPoints);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QFontMetrics metrics(font, painter.device());
    const QString label = pageLabel(page);
    painter.drawText(area, Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine, label);
    // A long path gives way in its middle to the page number.
    const int room =
        area.width() - metrics.horizontalAdvance(label) - 2 * metrics.averageCharWidth();
    const QString title = QLatin1String("Quillorn ") + m_document.path();
    painter.drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     metrics.elidedText(title, Qt::ElideMiddle, std::max(0, room)));
    painter.restore();
}

bool DocumentPrinter::print(QPagedPaintDevice& device, const Job& job)
{
    const quint64 id = m_document.id();
    const qint64 length = m_document.length();
    const qint64 start = std::clamp<qint64>(job.range.start, 0, length);
    const qint64 end = std::clamp<qint64>(job.range.end, start, length);
    // While the job waits (for the event loop or for the user), a document handed over from
    // outside may take the editor: then the positions no longer mean this text.
    const auto unchanged = [&] {
        return m_document.id() == id && m_document.length() == length;
    };
    const auto breathe = [&] {
        if (job.keepResponsive)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return unchanged();
    };

    for (qint64 at = start; at < end;) {
        at = m_document.colourForPages(at, end);
        if (!breathe())
            return false;
    }

    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const Frame frame = frameOf(device);
    bool ok = true;
    bool onPaperBefore = false;
    qint64 next = start;
    for (int page = 1;; ++page) {
        const bool onPaper = page >= job.fromPage && (job.toPage <= 0 || page <= job.toPage);
        if (onPaper) {
            if (onPaperBefore) {
                if (!device.newPage()) {
                    ok = false;
                    break;
                }
                if (job.askBetweenPages) {
                    m_prompter.message(pageLabel(page));
                    if (!unchanged()) {
                        ok = false;
                        break;
                    }
                }
            }
            onPaperBefore = true;
            drawHeader(painter, frame.header, page);
        }
        // The component leaves its own pen, font and clipping on the painter.
        painter.save();
        const qint64 after = m_document.formatPage(painter, frame.text, next, end, onPaper);
        painter.restore();
        if (after >= end || (job.toPage > 0 && page >= job.toPage))
            break;
        if (after <= next || !breathe()) {
            ok = false;
            break;
        }
        next = after;
    }
    m_document.endPages();
    return painter.end() && ok;
}

} // namespace Quillorn
