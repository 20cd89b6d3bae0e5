#include "editing/Abbreviation.h"

#include "platform/FileReader.h"
#include "platform/ProgramText.h"

#include <algorithm>
#include <vector>

namespace Quillorn {

namespace {

// The table is a few kilobytes; anything far larger is not one and is not read whole.
constexpr qint64 MaxTableSize = 1024 * 1024;

constexpr QStringView Operators = u">+^";
// Characters that may stand in an abbreviation outside "[...]" and "{...}".
constexpr QStringView RunCharacters = u"-_:.#>+^*$()!@";
// Characters that end a name, an id or a class.
constexpr QStringView WordEnds = u">+^*()#.[]{}";

const char* const HtmlElements[] = {
    "a",       "abbr",     "address",    "area",       "article",  "aside",    "audio",    "b",
    "base",    "bdi",      "bdo",        "blockquote", "body",     "br",       "button",   "canvas",
    "caption", "cite",     "code",       "col",        "colgroup", "data",     "datalist", "dd",
    "del",     "details",  "dfn",        "dialog",     "div",      "dl",       "dt",       "em",
    "embed",   "fieldset", "figcaption", "figure",     "footer",   "form",     "h1",       "h2",
    "h3",      "h4",       "h5",         "h6",         "head",     "header",   "hgroup",   "hr",
    "html",    "i",        "iframe",     "img",        "input",    "ins",      "kbd",      "label",
    "legend",  "li",       "link",       "main",       "map",      "mark",     "menu",     "meta",
    "meter",   "nav",      "noscript",   "object",     "ol",       "optgroup", "option",   "output",
    "p",       "param",    "picture",    "pre",        "progress", "q",        "rp",       "rt",
    "ruby",    "s",        "samp",       "script",     "search",   "section",  "select",   "slot",
    "small",   "source",   "span",       "strong",     "style",    "sub",      "summary",  "sup",
    "svg",     "table",    "tbody",      "td",         "template", "textarea", "tfoot",    "th",
    "thead",   "time",     "title",      "tr",         "track",    "u",        "ul",       "var",
    "video",   "wbr",
};

bool isVoid(const QString& name)
{
    static const QSet<QString> voids = {
        QStringLiteral("area"),  QStringLiteral("base"),  QStringLiteral("br"),
        QStringLiteral("col"),   QStringLiteral("embed"), QStringLiteral("hr"),
        QStringLiteral("img"),   QStringLiteral("input"), QStringLiteral("link"),
        QStringLiteral("meta"),  QStringLiteral("param"), QStringLiteral("source"),
        QStringLiteral("track"), QStringLiteral("wbr"),
    };
    return voids.contains(name.toLower());
}

// The element a term without a name stands for inside `parent`.
QString implicitName(const QString& parent)
{
    const QString p = parent.toLower();
    if (p == u"ul" || p == u"ol" || p == u"menu")
        return QStringLiteral("li");
    if (p == u"table" || p == u"tbody" || p == u"thead" || p == u"tfoot")
        return QStringLiteral("tr");
    if (p == u"tr")
        return QStringLiteral("td");
    if (p == u"select" || p == u"optgroup" || p == u"datalist")
        return QStringLiteral("option");
    static const QSet<QString> inlines = {
        QStringLiteral("a"),      QStringLiteral("abbr"),  QStringLiteral("b"),
        QStringLiteral("cite"),   QStringLiteral("code"),  QStringLiteral("em"),
        QStringLiteral("i"),      QStringLiteral("label"), QStringLiteral("q"),
        QStringLiteral("s"),      QStringLiteral("small"), QStringLiteral("span"),
        QStringLiteral("strong"), QStringLiteral("sub"),   QStringLiteral("sup"),
        QStringLiteral("u"),
    };
    return inlines.contains(p) ? QStringLiteral("span") : QStringLiteral("div");
}

// Element names: a letter (or "!", which aliases use) and then letters, digits and "-_:$!@".
bool isName(const QString& name)
{
    if (!name[0].isLetter() && name[0] != u'!')
        return false;
    return std::all_of(name.cbegin(), name.cend(), [](QChar c) {
        return c.isLetterOrNumber() || QStringView(u"-_:$!@").contains(c);
    });
}

bool isRunCharacter(QChar c)
{
    return c.isLetterOrNumber() || RunCharacters.contains(c);
}

struct Attribute {
    QString name;
    QString value;
};

// One term of an abbreviation with what hangs below it.
struct Item {
    QString name; // empty: the parent decides
    QList<Attribute> attributes;
    QString text;
    bool rawText = false; // from the table: markup as its author wrote it
    bool textOnly = false;
    bool group = false;
    std::vector<Item> members; // of a group
    int count = 1;
    std::vector<Item> children;

    void setAttribute(const QString& attribute, const QString& value)
    {
        for (Attribute& a : attributes) {
            if (a.name == attribute) {
                a.value = value;
                return;
            }
        }
        attributes.append({attribute, value});
    }
    void addClass(const QString& cls)
    {
        for (Attribute& a : attributes) {
            if (a.name == u"class") {
                a.value += a.value.isEmpty() ? cls : QLatin1Char(' ') + cls;
                return;
            }
        }
        attributes.append({QStringLiteral("class"), cls});
    }
};

class Parser {
public:
    Parser(QStringView text, const Abbreviation::Table& table, bool aliases)
        : m_text(text)
        , m_table(table)
        , m_aliases(aliases)
    {
    }

    bool parse(std::vector<Item>& items) { return sequence(items, false) && atEnd(); }

private:
    bool atEnd() const { return m_pos >= m_text.size(); }
    QChar peek() const { return atEnd() ? QChar() : m_text[m_pos]; }

    bool sequence(std::vector<Item>& root, bool inGroup)
    {
        std::vector<std::vector<Item>*> levels{&root};
        for (;;) {
            Item item;
            if (!term(item))
                return false;
            levels.back()->push_back(std::move(item));
            if (atEnd() || (inGroup && peek() == u')'))
                return true;
            const QChar op = m_text[m_pos++];
            if (op == u'>') {
                Item& last = levels.back()->back();
                if (last.group || last.textOnly)
                    return false;
                levels.push_back(&last.children);
            } else if (op == u'^') {
                // Climbing past the top stays at the top.
                if (levels.size() > 1)
                    levels.pop_back();
                while (peek() == u'^') {
                    ++m_pos;
                    if (levels.size() > 1)
                        levels.pop_back();
                }
            } else if (op != u'+') {
                return false;
            }
        }
    }

    bool term(Item& item)
    {
        if (peek() == u'(') {
            ++m_pos;
            item.group = true;
            if (!sequence(item.members, true) || peek() != u')')
                return false;
            ++m_pos;
        } else if (!element(item)) {
            return false;
        }
        if (peek() != u'*')
            return true;
        ++m_pos;
        qint64 count = 0;
        while (peek().isDigit()) {
            count =
                std::min<qint64>(count * 10 + peek().digitValue(), Abbreviation::MaxElements + 1);
            ++m_pos;
        }
        item.count = static_cast<int>(count);
        return count > 0;
    }

    QString word()
    {
        const qsizetype from = m_pos;
        while (!atEnd() && !WordEnds.contains(peek()) && !peek().isSpace())
            ++m_pos;
        return m_text.sliced(from, m_pos - from).toString();
    }

    bool element(Item& item)
    {
        const QString name = word();
        bool any = !name.isEmpty();
        if (any && !isName(name))
            return false;
        if (any && m_aliases && m_table.aliases.contains(name.toLower())) {
            std::vector<Item> expansion;
            if (!Parser(m_table.aliases.value(name.toLower()), m_table, false).parse(expansion))
                return false;
            const bool single = expansion.size() == 1 && !expansion[0].group &&
                                !expansion[0].textOnly && expansion[0].count == 1 &&
                                expansion[0].children.empty();
            if (!single) {
                item.group = true;
                item.members = std::move(expansion);
                return true;
            }
            item = std::move(expansion[0]);
        } else if (any) {
            QString checked = name.toLower();
            checked.replace(u'$', u'1');
            if (!m_table.elements.isEmpty() && !m_table.elements.contains(checked) &&
                !checked.contains(u'-'))
                return false;
            item.name = name;
        }
        for (;;) {
            const QChar c = peek();
            if (c == u'#' || c == u'.') {
                ++m_pos;
                const QString value = word();
                if (value.isEmpty())
                    return false;
                if (c == u'#')
                    item.setAttribute(QStringLiteral("id"), value);
                else
                    item.addClass(value);
            } else if (c == u'[') {
                ++m_pos;
                if (!attributes(item))
                    return false;
            } else if (c == u'{') {
                const qsizetype close = m_text.indexOf(u'}', m_pos);
                if (close < 0)
                    return false;
                item.text += m_text.sliced(m_pos + 1, close - m_pos - 1);
                item.rawText = !m_aliases;
                m_pos = close + 1;
            } else {
                break;
            }
            any = true;
        }
        if (!any)
            return false;
        item.textOnly = item.name.isEmpty() && item.attributes.isEmpty() && !item.text.isEmpty();
        return atEnd() || Operators.contains(peek()) || peek() == u'*' || peek() == u')';
    }

    // The attributes up to the closing "]".
    bool attributes(Item& item)
    {
        for (;;) {
            while (peek().isSpace())
                ++m_pos;
            if (atEnd())
                return false;
            if (peek() == u']') {
                ++m_pos;
                return true;
            }
            const qsizetype from = m_pos;
            while (!atEnd() && !peek().isSpace() && peek() != u'=' && peek() != u']' &&
                   peek() != u'"' && peek() != u'\'')
                ++m_pos;
            const QString name = m_text.sliced(from, m_pos - from).toString();
            if (name.isEmpty())
                return false;
            QString value;
            if (peek() == u'=') {
                ++m_pos;
                const QChar quote = peek();
                if (quote == u'"' || quote == u'\'') {
                    const qsizetype close = m_text.indexOf(quote, m_pos + 1);
                    if (close < 0)
                        return false;
                    value = m_text.sliced(m_pos + 1, close - m_pos - 1).toString();
                    m_pos = close + 1;
                } else {
                    const qsizetype start = m_pos;
                    while (!atEnd() && !peek().isSpace() && peek() != u']')
                        ++m_pos;
                    value = m_text.sliced(start, m_pos - start).toString();
                }
            }
            item.setAttribute(name, value);
        }
    }

    QStringView m_text;
    const Abbreviation::Table& m_table;
    bool m_aliases;
    qsizetype m_pos = 0;
};

QString escaped(const QString& text, bool attribute)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'&')
            out += QLatin1String("&amp;");
        else if (c == u'<')
            out += QLatin1String("&lt;");
        else if (c == u'>')
            out += QLatin1String("&gt;");
        else if (c == u'"' && attribute)
            out += QLatin1String("&quot;");
        else
            out += c;
    }
    return out;
}

// `text` with every run of "$" made `number`, padded with zeros to the run's length.
QString numbered(const QString& text, int number)
{
    if (!text.contains(u'$'))
        return text;
    QString out;
    for (qsizetype i = 0; i < text.size();) {
        if (text[i] != u'$') {
            out += text[i++];
            continue;
        }
        qsizetype run = 0;
        while (i < text.size() && text[i] == u'$') {
            ++run;
            ++i;
        }
        out += QStringLiteral("%1").arg(number, static_cast<int>(run), 10, QLatin1Char('0'));
    }
    return out;
}

class Writer {
public:
    explicit Writer(const Abbreviation::Format& format)
        : m_format(format)
    {
    }

    bool write(const std::vector<Item>& items)
    {
        list(items, QString(), 0, 1);
        return m_ok;
    }

    Abbreviation::Expansion take() { return {m_text, m_stops}; }

private:
    void list(const std::vector<Item>& items, const QString& parent, int depth, int number)
    {
        for (const Item& item : items) {
            for (int i = 1; i <= item.count && m_ok; ++i) {
                const int n = item.count > 1 ? i : number;
                if (item.group)
                    list(item.members, parent, depth, n);
                else
                    element(item, parent, depth, n);
            }
        }
    }

    void newLine(int depth)
    {
        if (m_first) {
            m_first = false;
            return;
        }
        m_text += (m_format.lineEnd + m_format.baseIndent).toUtf8();
        for (int i = 0; i < depth; ++i)
            m_text += m_format.indentUnit.toUtf8();
    }

    void stop() { m_stops.append(m_text.size()); }

    void element(const Item& item, const QString& parent, int depth, int number)
    {
        if (++m_elements > Abbreviation::MaxElements) {
            m_ok = false;
            return;
        }
        newLine(depth);
        const QString text = item.rawText ? item.text : escaped(numbered(item.text, number), false);
        if (item.textOnly) {
            m_text += text.toUtf8();
            return;
        }
        const QString name =
            item.name.isEmpty() ? implicitName(parent) : numbered(item.name, number);
        m_text += '<' + name.toUtf8();
        for (const Attribute& a : item.attributes) {
            m_text += ' ' + a.name.toUtf8() + "=\"";
            if (a.value.isEmpty())
                stop();
            m_text += escaped(numbered(a.value, number), true).toUtf8() + '"';
        }
        m_text += '>';
        if (isVoid(name)) {
            // A void element holds nothing.
            m_ok = m_ok && item.children.empty() && text.isEmpty();
            return;
        }
        if (item.children.empty()) {
            if (text.isEmpty())
                stop();
            m_text += text.toUtf8();
        } else {
            if (!text.isEmpty()) {
                newLine(depth + 1);
                m_text += text.toUtf8();
            }
            list(item.children, name, depth + 1, number);
            newLine(depth);
        }
        m_text += "</" + name.toUtf8() + '>';
    }

    const Abbreviation::Format& m_format;
    QByteArray m_text;
    QList<qsizetype> m_stops;
    int m_elements = 0;
    bool m_first = true;
    bool m_ok = true;
};

} // namespace

Abbreviation::Table Abbreviation::builtInTable()
{
    Table table;
    for (const char* name : HtmlElements)
        table.elements.insert(QLatin1String(name));
    return table;
}

Abbreviation::Table Abbreviation::loadTable(const QString& path)
{
    return parseTable(FileReader::read(path, MaxTableSize).bytes);
}

Abbreviation::Table Abbreviation::parseTable(const QByteArray& bytes)
{
    Table table = builtInTable();
    for (const QString& line : ProgramText::terminatedLines(ProgramText::decode(bytes, {}))) {
        const qsizetype equals = line.indexOf(u'=');
        const QString name = line.left(equals).trimmed().toLower();
        const QString expansion = line.mid(equals + 1).trimmed();
        // Lines without a name or an expansion are not entries; the rest of the file still is.
        if (equals > 0 && !name.isEmpty() && !expansion.isEmpty())
            table.aliases.insert(name, expansion);
    }
    return table;
}

std::optional<qsizetype> Abbreviation::start(QStringView line, qsizetype caret)
{
    if (caret < line.size() &&
        (isRunCharacter(line[caret]) || line[caret] == u'[' || line[caret] == u'{'))
        return std::nullopt;
    qsizetype from = caret;
    QChar opener;
    for (; from > 0; --from) {
        const QChar c = line[from - 1];
        if (!opener.isNull()) {
            if (c == opener)
                opener = QChar();
        } else if (c == u']') {
            opener = u'[';
        } else if (c == u'}') {
            opener = u'{';
        } else if (!isRunCharacter(c)) {
            break;
        }
    }
    if (!opener.isNull())
        return std::nullopt;
    if (from > 0 && !line[from - 1].isSpace()) {
        // Glued to other text: the run begins inside a tag and the abbreviation after its ">".
        QChar closer;
        for (; from < caret; ++from) {
            const QChar c = line[from];
            if (!closer.isNull()) {
                if (c == closer)
                    closer = QChar();
            } else if (c == u'[') {
                closer = u']';
            } else if (c == u'{') {
                closer = u'}';
            } else if (c == u'>') {
                break;
            }
        }
        if (from == caret)
            return std::nullopt;
    }
    while (from < caret && line[from] == u'>')
        ++from;
    if (from == caret)
        return std::nullopt;
    return from;
}

std::optional<Abbreviation::Expansion>
Abbreviation::expand(QStringView abbreviation, const Table& table, const Format& format)
{
    std::vector<Item> items;
    if (abbreviation.isEmpty() || !Parser(abbreviation, table, true).parse(items))
        return std::nullopt;
    Writer writer(format);
    if (!writer.write(items))
        return std::nullopt;
    return writer.take();
}

} // namespace Quillorn
