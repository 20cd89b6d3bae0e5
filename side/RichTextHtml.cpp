#include "side/RichTextHtml.h"

#include <QColor>
#include <QGuiApplication>
#include <QPalette>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

#include <algorithm>

namespace Quillorn {

namespace {

constexpr int IndentStep = 2;

// An inline element a run of text sits in, compared by its opening tag.
struct Mark {
    QString open;
    QString close;
    bool operator==(const Mark& other) const { return open == other.open; }
};

// Text of one character format, already escaped, inside its marks (outermost first).
struct Run {
    QList<Mark> marks;
    QString html;
};

QString escaped(const QString& text)
{
    QString html;
    html.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('&'))
            html += QLatin1String("&amp;");
        else if (c == QLatin1Char('<'))
            html += QLatin1String("&lt;");
        else if (c == QLatin1Char('>'))
            html += QLatin1String("&gt;");
        else if (c == QChar::Nbsp)
            html += QLatin1String("&nbsp;");
        else if (c == QChar::LineSeparator)
            html += QLatin1String("<br>");
        else if (c != QChar::ObjectReplacementCharacter)
            html += c;
    }
    return html;
}

Mark element(const QString& name, const QString& attributes = {})
{
    return {QLatin1Char('<') + name + attributes + QLatin1Char('>'),
            QLatin1String("</") + name + QLatin1Char('>')};
}

// What the composer shows without being told: its default font and black text, links in the
// palette's link colour.
struct Defaults {
    QString family;
    qreal pointSize;
    QColor text;
    QColor link;
};

QString family(const QTextCharFormat& format)
{
    const QStringList families = format.fontFamilies().toStringList();
    return families.isEmpty() ? QString() : families.first();
}

QString spanStyle(const QTextCharFormat& format, bool link, const Defaults& defaults)
{
    QStringList style;
    if (format.hasProperty(QTextFormat::ForegroundBrush) &&
        format.foreground().style() != Qt::NoBrush) {
        const QColor colour = format.foreground().color();
        if (colour != defaults.text && !(link && colour == defaults.link))
            style << QLatin1String("color:") + colour.name();
    }
    QString name = family(format);
    if (!name.isEmpty() && name != defaults.family) {
        // The name goes between quotes in an attribute: nothing of it may end either.
        name.remove(QRegularExpression(QStringLiteral("['\"\\\\;]")));
        style << QStringLiteral("font-family:'%1'").arg(name);
    }
    if (format.hasProperty(QTextFormat::FontPointSize) &&
        !qFuzzyCompare(format.fontPointSize(), defaults.pointSize))
        style << QStringLiteral("font-size:%1pt").arg(format.fontPointSize());
    return style.join(QLatin1Char(';'));
}

// The marks of `format` in their usual order, outermost first; a heading's tag already says
// bold, a link's says underlined.
QList<Mark> marksOf(const QTextCharFormat& format, bool heading, const Defaults& defaults)
{
    QList<Mark> marks;
    // A link to a script address is written as its text, without the link's look.
    const bool anchor = format.isAnchor() && !format.anchorHref().isEmpty();
    if (anchor && RichTextHtml::isSafeAddress(format.anchorHref()))
        marks << element(QStringLiteral("a"),
                         QStringLiteral(" href=\"%1\"").arg(format.anchorHref().toHtmlEscaped()));
    const QString style = spanStyle(format, anchor, defaults);
    if (!style.isEmpty())
        marks << element(QStringLiteral("span"),
                         QStringLiteral(" style=\"%1\"").arg(style.toHtmlEscaped()));
    if (!heading && format.hasProperty(QTextFormat::FontWeight) &&
        format.fontWeight() >= QFont::DemiBold)
        marks << element(QStringLiteral("strong"));
    if (format.fontItalic())
        marks << element(QStringLiteral("em"));
    if (!anchor && format.fontUnderline())
        marks << element(QStringLiteral("u"));
    if (format.fontStrikeOut())
        marks << element(QStringLiteral("s"));
    return marks;
}

// The runs of `block`; `boldTag` says the block stands in a tag that already says bold.
QList<Run> runsOf(const QTextBlock& block, const Defaults& defaults, bool boldTag = false)
{
    const bool heading = boldTag || (!block.textList() && block.blockFormat().headingLevel() > 0);
    QList<Run> runs;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QString html = escaped(fragment.text());
        if (html.isEmpty())
            continue;
        const QList<Mark> marks = marksOf(fragment.charFormat(), heading, defaults);
        if (!runs.isEmpty() && runs.last().marks == marks)
            runs.last().html += html;
        else
            runs.append({marks, html});
    }
    // Blanks at either end of a block show nowhere; markup read in often leaves them there.
    const auto blank = [](QChar c) {
        return c == QLatin1Char(' ') || c == QLatin1Char('\t');
    };
    while (!runs.isEmpty()) {
        QString& first = runs.first().html;
        first.remove(0, std::find_if_not(first.cbegin(), first.cend(), blank) - first.cbegin());
        if (!first.isEmpty())
            break;
        runs.removeFirst();
    }
    while (!runs.isEmpty()) {
        QString& last = runs.last().html;
        last.chop(std::find_if_not(last.crbegin(), last.crend(), blank) - last.crbegin());
        if (!last.isEmpty())
            break;
        runs.removeLast();
    }
    return runs;
}

// The runs with their marks properly nested: a mark that goes on longer is opened outside
// one that ends sooner, so that it need not be closed and opened again.
QString inlineHtml(const QList<Run>& runs)
{
    QString html;
    QList<Mark> open;
    for (qsizetype i = 0; i < runs.size(); ++i) {
        const QList<Mark>& wanted = runs.at(i).marks;
        qsizetype kept = 0;
        while (kept < open.size() && wanted.contains(open.at(kept)))
            ++kept;
        while (open.size() > kept)
            html += open.takeLast().close;
        QList<Mark> fresh;
        for (const Mark& mark : wanted) {
            if (!open.contains(mark))
                fresh << mark;
        }
        const auto reach = [&runs, i](const Mark& mark) {
            qsizetype end = i;
            while (end < runs.size() && runs.at(end).marks.contains(mark))
                ++end;
            return end;
        };
        std::stable_sort(fresh.begin(), fresh.end(),
                         [&reach](const Mark& a, const Mark& b) { return reach(a) > reach(b); });
        for (const Mark& mark : std::as_const(fresh)) {
            html += mark.open;
            open << mark;
        }
        html += runs.at(i).html;
    }
    while (!open.isEmpty())
        html += open.takeLast().close;
    return html;
}

QString alignment(const QTextBlockFormat& format)
{
    const Qt::Alignment align = format.alignment();
    QString value;
    if (align & Qt::AlignHCenter)
        value = QStringLiteral("center");
    else if (align & Qt::AlignJustify)
        value = QStringLiteral("justify");
    else if (align & Qt::AlignRight)
        value = QStringLiteral("right");
    return value.isEmpty() ? value : QStringLiteral(" style=\"text-align:%1\"").arg(value);
}

// Writes the blocks and tables, keeping the lists that are open around the current block;
// every line is indented by `base` spaces more, for the content of a table cell.
class Writer {
public:
    explicit Writer(const Defaults& defaults, int base = 0)
        : m_defaults(defaults)
        , m_base(base)
    {
    }

    // The blocks and tables from `it` to the end of its frame, in their order; a frame of
    // another kind stands for its content.
    void items(QTextFrame::iterator it)
    {
        for (; !it.atEnd(); ++it) {
            if (QTextFrame* frame = it.currentFrame()) {
                if (const auto* table = qobject_cast<const QTextTable*>(frame))
                    this->table(*table);
                else
                    items(frame->begin());
            } else {
                block(it.currentBlock());
            }
        }
    }

    void block(const QTextBlock& block)
    {
        QTextList* list = block.textList();
        if (!list) {
            while (!m_lists.isEmpty())
                closeList();
            const QString content = inlineHtml(runsOf(block, m_defaults));
            if (content.isEmpty())
                return;
            const int level = std::clamp(block.blockFormat().headingLevel(), 0, 6);
            const QString tag = level > 0 ? QStringLiteral("h%1").arg(level) : QStringLiteral("p");
            line(0, QLatin1Char('<') + tag + alignment(block.blockFormat()) + QLatin1Char('>') +
                        content + QLatin1String("</") + tag + QLatin1Char('>'));
            return;
        }
        const auto known = std::find_if(m_lists.cbegin(), m_lists.cend(),
                                        [list](const Open& open) { return open.list == list; });
        if (known != m_lists.cend()) {
            while (m_lists.size() > known - m_lists.cbegin() + 1)
                closeList();
        } else {
            while (!m_lists.isEmpty() && m_lists.last().indent >= list->format().indent())
                closeList();
            openList(list);
        }
        closeItem();
        m_html += QString(m_base + depth(m_lists.size() - 1) + IndentStep, QLatin1Char(' ')) +
                  QLatin1String("<li") + alignment(block.blockFormat()) + QLatin1Char('>') +
                  inlineHtml(runsOf(block, m_defaults));
        m_lists.last().item = Item::Inline;
    }

    // A table row by row, a cell that others cover left out; the header rows' cells as
    // header cells. A cell of one plain paragraph is written on the line of its tags.
    void table(const QTextTable& table)
    {
        while (!m_lists.isEmpty())
            closeList();
        // Lines between the cells, as the composer shows them.
        const qreal border = table.format().border();
        line(0, border > 0 ? QStringLiteral("<table border=\"%1\">").arg(qRound(border))
                           : QStringLiteral("<table>"));
        for (int row = 0; row < table.rows(); ++row) {
            line(IndentStep, QStringLiteral("<tr>"));
            // A header cell is bold and centred without being told.
            const bool header = row < table.format().headerRowCount();
            const QString tag = header ? QStringLiteral("th") : QStringLiteral("td");
            for (int column = 0; column < table.columns(); ++column) {
                const QTextTableCell cell = table.cellAt(row, column);
                if (cell.row() != row || cell.column() != column)
                    continue;
                QString open = QLatin1Char('<') + tag;
                if (cell.columnSpan() > 1)
                    open += QStringLiteral(" colspan=\"%1\"").arg(cell.columnSpan());
                if (cell.rowSpan() > 1)
                    open += QStringLiteral(" rowspan=\"%1\"").arg(cell.rowSpan());
                open += QLatin1Char('>');
                const QString close = QLatin1String("</") + tag + QLatin1Char('>');
                const QTextBlock first = cell.firstCursorPosition().block();
                if (first == cell.lastCursorPosition().block() && !first.textList() &&
                    first.blockFormat().headingLevel() == 0 &&
                    (alignment(first.blockFormat()).isEmpty() ||
                     (header && first.blockFormat().alignment() & Qt::AlignHCenter))) {
                    line(2 * IndentStep,
                         open + inlineHtml(runsOf(first, m_defaults, header)) + close);
                    continue;
                }
                line(2 * IndentStep, open);
                Writer content(m_defaults, m_base + 3 * IndentStep);
                content.items(cell.begin());
                m_html += content.finish();
                line(2 * IndentStep, close);
            }
            line(IndentStep, QStringLiteral("</tr>"));
        }
        line(0, QStringLiteral("</table>"));
    }

    QString finish()
    {
        while (!m_lists.isEmpty())
            closeList();
        return m_html;
    }

private:
    // The last item of an open list: none yet, its text alone so far (its line not ended),
    // or holding a nested list (its end tag on a line of its own).
    enum class Item { None, Inline, Nesting };
    struct Open {
        QTextList* list;
        int indent;
        QString tag;
        Item item = Item::None;
    };

    static int depth(qsizetype listIndex) { return static_cast<int>(listIndex) * 2 * IndentStep; }

    void line(int indent, const QString& text)
    {
        m_html += QString(m_base + indent, QLatin1Char(' ')) + text + QLatin1Char('\n');
    }

    void openList(QTextList* list)
    {
        if (!m_lists.isEmpty() && m_lists.last().item == Item::Inline) {
            m_html += QLatin1Char('\n');
            m_lists.last().item = Item::Nesting;
        }
        QString type;
        const QString tag = listTag(list->format().style(), type);
        m_lists.append({list, list->format().indent(), tag});
        line(depth(m_lists.size() - 1), QLatin1Char('<') + tag + type + QLatin1Char('>'));
    }

    static QString listTag(QTextListFormat::Style style, QString& type)
    {
        switch (style) {
        case QTextListFormat::ListDecimal:
            return QStringLiteral("ol");
        case QTextListFormat::ListLowerAlpha:
            type = QStringLiteral(" type=\"a\"");
            return QStringLiteral("ol");
        case QTextListFormat::ListUpperAlpha:
            type = QStringLiteral(" type=\"A\"");
            return QStringLiteral("ol");
        case QTextListFormat::ListLowerRoman:
            type = QStringLiteral(" type=\"i\"");
            return QStringLiteral("ol");
        case QTextListFormat::ListUpperRoman:
            type = QStringLiteral(" type=\"I\"");
            return QStringLiteral("ol");
        default:
            return QStringLiteral("ul");
        }
    }

    void closeItem()
    {
        Open& open = m_lists.last();
        if (open.item == Item::Inline)
            m_html += QLatin1String("</li>\n");
        else if (open.item == Item::Nesting)
            line(depth(m_lists.size() - 1) + IndentStep, QStringLiteral("</li>"));
        open.item = Item::None;
    }

    void closeList()
    {
        closeItem();
        line(depth(m_lists.size() - 1),
             QLatin1String("</") + m_lists.last().tag + QLatin1Char('>'));
        m_lists.removeLast();
    }

    const Defaults& m_defaults;
    int m_base;
    QList<Open> m_lists;
    QString m_html;
};

// Where the tag that starts at `from` (just behind its "<") ends: behind its ">", quoted
// values skipped; the end of the text when it has none.
qsizetype tagEnd(const QString& html, qsizetype from)
{
    QChar quote;
    for (qsizetype i = from; i < html.size(); ++i) {
        const QChar c = html.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char('>')) {
            return i + 1;
        }
    }
    return html.size();
}

// The tag `tag` ("<name attributes>") without its event-handler attributes.
QString withoutHandlers(const QString& tag)
{
    static const QRegularExpression attribute(
        QStringLiteral(R"(\s+([^\s=/>]+)(\s*=\s*("[^"]*"|'[^']*'|[^\s>]*))?)"));
    QString kept;
    qsizetype last = 0;
    for (auto it = attribute.globalMatch(tag); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        if (match.captured(1).startsWith(QLatin1String("on"), Qt::CaseInsensitive)) {
            kept += tag.mid(last, match.capturedStart() - last);
            last = match.capturedEnd();
        }
    }
    return kept + tag.mid(last);
}

} // namespace

QString RichTextHtml::toHtml(const QTextDocument& document)
{
    const QFont font = document.defaultFont();
    const Defaults defaults{font.family(), font.pointSizeF(), QColor(Qt::black),
                            QGuiApplication::palette().color(QPalette::Link)};
    Writer writer(defaults);
    writer.items(document.rootFrame()->begin());
    return writer.finish();
}

QString RichTextHtml::sanitised(const QString& html)
{
    static const QRegularExpression name(QStringLiteral("/?([A-Za-z][A-Za-z0-9-]*)"));
    QString clean;
    qsizetype at = 0;
    while (at < html.size()) {
        const qsizetype open = html.indexOf(QLatin1Char('<'), at);
        if (open < 0) {
            clean += html.mid(at);
            break;
        }
        clean += html.mid(at, open - at);
        if (html.mid(open, 4) == QLatin1String("<!--")) {
            const qsizetype end = html.indexOf(QLatin1String("-->"), open + 4);
            at = end < 0 ? html.size() : end + 3;
            continue;
        }
        const QRegularExpressionMatch tagName =
            name.match(html, open + 1, QRegularExpression::NormalMatch,
                       QRegularExpression::AnchorAtOffsetMatchOption);
        const qsizetype end = tagEnd(html, open + 1);
        at = end;
        if (!tagName.hasMatch()) {
            // Declarations and processing instructions go; a lone "<" is text.
            const QChar next = open + 1 < html.size() ? html.at(open + 1) : QChar();
            if (next != QLatin1Char('!') && next != QLatin1Char('?')) {
                clean += QLatin1String("&lt;");
                at = open + 1;
            }
            continue;
        }
        const QString element = tagName.captured(1).toLower();
        const bool closing = html.at(open + 1) == QLatin1Char('/');
        if (!closing && (element == QLatin1String("script") || element == QLatin1String("style"))) {
            const qsizetype close =
                html.indexOf(QLatin1String("</") + element, end, Qt::CaseInsensitive);
            at = close < 0 ? html.size() : tagEnd(html, close + 2);
            continue;
        }
        clean += withoutHandlers(html.mid(open, end - open));
    }
    return clean;
}

bool RichTextHtml::looksLikeHtml(const QString& text)
{
    static const QRegularExpression tag(QStringLiteral(
        R"(</?[A-Za-z][A-Za-z0-9]*(\s+[A-Za-z:-]+(\s*=\s*("[^"]*"|'[^']*'|[^\s"'<>=]+))?)*\s*/?>)"));
    return tag.match(text).hasMatch();
}

bool RichTextHtml::holdsCodeToDrop(const QString& text)
{
    static const QRegularExpression code(QStringLiteral(R"(<\?|<%|<!--|<(script|style)\b)"),
                                         QRegularExpression::CaseInsensitiveOption);
    return code.match(text).hasMatch();
}

bool RichTextHtml::isSafeAddress(const QString& address)
{
    // Browsers ignore blanks and control characters inside a scheme's name.
    QString scheme;
    for (const QChar c : address) {
        if (c == QLatin1Char(':')) {
            return scheme != QLatin1String("javascript") && scheme != QLatin1String("vbscript") &&
                   scheme != QLatin1String("data");
        }
        if (c > QLatin1Char(' '))
            scheme += c.toLower();
    }
    return true;
}

} // namespace Quillorn
