#include "editing/CheckMarkers.h"

#include "component/QsciHeaders.h"

#include <QApplication>
#include <QHelpEvent>
#include <QIcon>
#include <QStyle>
#include <QToolTip>

#include <algorithm>
#include <map>

namespace Quillorn {

namespace {

using S = QsciScintillaBase;

// The symbol margin, between the line numbers (0) and the folds (2).
constexpr int MarkMargin = 1;
constexpr int MarginWidth = 16;
constexpr int WarningMarker = 20;
constexpr int ErrorMarker = 21;
constexpr int MarkMask = (1 << WarningMarker) | (1 << ErrorMarker);
// How many marks go into the margin in one turn of the event loop.
constexpr qsizetype MarksAtOnce = 100;

QImage symbol(QStyle::StandardPixmap which)
{
    const int side = MarginWidth - 2;
    return QApplication::style()->standardIcon(which).pixmap(side, side).toImage();
}

} // namespace

CheckMarkers::CheckMarkers(QsciScintilla& view)
    : QObject(&view)
    , m_view(view)
{
    m_view.setMarginType(MarkMargin, QsciScintilla::SymbolMargin);
    m_view.setMarginMarkerMask(MarkMargin, MarkMask);
    m_view.setMarginWidth(MarkMargin, 0);
    m_view.markerDefine(symbol(QStyle::SP_MessageBoxWarning), WarningMarker);
    m_view.markerDefine(symbol(QStyle::SP_MessageBoxCritical), ErrorMarker);
    m_view.viewport()->installEventFilter(this);
    m_rest.setInterval(0);
    m_rest.setSingleShot(true);
    connect(&m_rest, &QTimer::timeout, this, [this] { addWaiting(MarksAtOnce); });
}

long CheckMarkers::sci(unsigned int message, unsigned long wParam, long lParam) const
{
    return m_view.SendScintilla(message, wParam, lParam);
}

void CheckMarkers::set(const QList<Mark>& marks)
{
    // The messages are the lines' margin texts: the document keeps them per line, as it keeps
    // the symbols, and no margin shows them as text. Only the marked lines' go: clearing all
    // costs a notification for every line of the text.
    for (long line = sci(S::SCI_MARKERNEXT, 0UL, MarkMask); line >= 0;
         line = sci(S::SCI_MARKERNEXT, static_cast<unsigned long>(line + 1), MarkMask))
        m_view.SendScintilla(S::SCI_MARGINSETTEXT, static_cast<uintptr_t>(line),
                             static_cast<const char*>(nullptr));
    sci(S::SCI_MARKERDELETEALL, static_cast<unsigned long>(WarningMarker));
    sci(S::SCI_MARKERDELETEALL, static_cast<unsigned long>(ErrorMarker));
    const long count = sci(S::SCI_GETLINECOUNT);
    std::map<qint64, Mark> byLine;
    for (const Mark& mark : marks) {
        if (mark.line < 0 || mark.line >= count)
            continue;
        auto [it, added] = byLine.try_emplace(mark.line, mark);
        if (added)
            continue;
        it->second.error = it->second.error || mark.error;
        if (!it->second.message.split(u'\n').contains(mark.message))
            it->second.message += u'\n' + mark.message;
    }
    m_waiting.clear();
    for (auto& [line, mark] : byLine)
        m_waiting.push_back(std::move(mark));
    addWaiting(MarksAtOnce);
    documentShown();
}

void CheckMarkers::addWaiting(qsizetype limit)
{
    // Thousands of marks take the component tens of milliseconds: they go in a share at a
    // time, so that keys typed meanwhile are not kept waiting.
    const qsizetype count = std::min<qsizetype>(limit, m_waiting.size());
    for (qsizetype i = 0; i < count; ++i) {
        const Mark& mark = m_waiting[i];
        sci(S::SCI_MARKERADD, static_cast<unsigned long>(mark.line),
            mark.error ? ErrorMarker : WarningMarker);
        const QByteArray message = mark.message.toUtf8();
        m_view.SendScintilla(S::SCI_MARGINSETTEXT, static_cast<uintptr_t>(mark.line),
                             message.constData());
    }
    m_waiting.erase(m_waiting.begin(), m_waiting.begin() + count);
    if (m_waiting.empty())
        m_rest.stop();
    else
        m_rest.start();
}

void CheckMarkers::finish()
{
    addWaiting(m_waiting.size());
}

QList<CheckMarkers::Mark> CheckMarkers::marks() const
{
    QList<Mark> marks;
    for (long line = sci(S::SCI_MARKERNEXT, 0UL, MarkMask); line >= 0;
         line = sci(S::SCI_MARKERNEXT, static_cast<unsigned long>(line + 1), MarkMask)) {
        const bool error =
            sci(S::SCI_MARKERGET, static_cast<unsigned long>(line)) & (1 << ErrorMarker);
        marks.append({line, error, messagesAt(line)});
    }
    return marks;
}

bool CheckMarkers::hasMarks() const
{
    return sci(S::SCI_MARKERNEXT, 0UL, MarkMask) >= 0;
}

void CheckMarkers::documentShown()
{
    m_view.setMarginWidth(MarkMargin, hasMarks() ? MarginWidth : 0);
}

std::optional<qint64> CheckMarkers::nextLine(qint64 line, bool forward) const
{
    const long last = sci(S::SCI_GETLINECOUNT) - 1;
    long found = -1;
    if (forward) {
        found = sci(S::SCI_MARKERNEXT, static_cast<unsigned long>(line + 1), MarkMask);
        if (found < 0)
            found = sci(S::SCI_MARKERNEXT, 0UL, MarkMask);
    } else {
        if (line > 0)
            found = sci(S::SCI_MARKERPREVIOUS, static_cast<unsigned long>(line - 1), MarkMask);
        if (found < 0)
            found = sci(S::SCI_MARKERPREVIOUS, static_cast<unsigned long>(last), MarkMask);
    }
    return found >= 0 ? std::optional<qint64>(found) : std::nullopt;
}

QString CheckMarkers::messagesAt(qint64 line) const
{
    if (line < 0 || !(sci(S::SCI_MARKERGET, static_cast<unsigned long>(line)) & MarkMask))
        return {};
    const long length = sci(S::SCI_MARGINGETTEXT, static_cast<unsigned long>(line));
    // Room for the terminating NUL some versions of the component write.
    QByteArray text(length + 1, '\0');
    m_view.SendScintilla(S::SCI_MARGINGETTEXT, static_cast<unsigned long>(line),
                         static_cast<void*>(text.data()));
    text.truncate(length);
    return QString::fromUtf8(text);
}

bool CheckMarkers::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ToolTip || watched != m_view.viewport())
        return QObject::eventFilter(watched, event);
    auto* help = static_cast<QHelpEvent*>(event);
    const int left = static_cast<int>(sci(S::SCI_GETMARGINWIDTHN, 0UL));
    const int right = left + static_cast<int>(sci(S::SCI_GETMARGINWIDTHN, MarkMargin));
    if (help->pos().x() < left || help->pos().x() >= right)
        return QObject::eventFilter(watched, event);
    // The point in the text beside the margin tells the line, also where lines wrap.
    const long position =
        sci(S::SCI_POSITIONFROMPOINT, static_cast<unsigned long>(right + 1), help->pos().y());
    const QString messages =
        messagesAt(sci(S::SCI_LINEFROMPOSITION, static_cast<unsigned long>(position)));
    if (messages.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), messages, m_view.viewport());
    return true;
}

} // namespace Quillorn
