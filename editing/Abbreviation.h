#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringView>

#include <optional>

namespace Quillorn {

// Markup abbreviations in the CSS-selector-like form ("ul>li.item$*3", "a[href=#]{Home}"):
// where one ends before the caret, and the indented markup it stands for with its empty spots.
//
// Grammar: terms joined by ">" (child), "+" (sibling) and "^" (one level up per "^"); a term
// is an element or a "(...)" group, followed by "*N" for N copies. An element is a name
// (optional: the parent decides, "div" by default) and any of "#id", ".class",
// "[name name=value name='a b']" and "{text}"; a term of text alone is text. "$" in names,
// values and text is the copy's number ("$$" pads it to two digits). Children after a group
// ("(a+b)>c") are refused.
class Abbreviation {
public:
    // Aliases (a name standing for an abbreviation, expanded once, not again inside its own
    // expansion; text in its "{...}" is markup and goes in as written, while typed text is
    // escaped) and the element names allowed; an empty set allows every name.
    struct Table {
        QHash<QString, QString> aliases;
        QSet<QString> elements;
    };

    struct Format {
        QString indentUnit = QStringLiteral("\t"); // one level deeper
        QString lineEnd = QStringLiteral("\r\n");
        QString baseIndent; // the leading blanks of the line the abbreviation stands on
    };

    // The markup as UTF-8, its lines after the first starting with the base indentation, and
    // the byte offsets of its empty spots (empty element contents, empty attribute values) in
    // text order.
    struct Expansion {
        QByteArray text;
        QList<qsizetype> stops;
    };

    // More elements than this make an abbreviation fail rather than stall the editor.
    static constexpr int MaxElements = 10000;

    // The HTML element names and no aliases: what holds when the table file is missing.
    static Table builtInTable();
    // The built-in table with the aliases of the table file at `path` (lines "name=expansion",
    // CR LF or LF); a missing or unreadable file leaves the built-in table.
    static Table loadTable(const QString& path);
    static Table parseTable(const QByteArray& bytes);

    // Where the abbreviation that ends at `caret` of `line` starts, or nothing. It runs back
    // from the caret over the characters abbreviations use and stops at a blank or at any
    // other character outside "{...}" and "[...]". A run that follows a "<" starts within a
    // tag ("<div>ul>li"), so the abbreviation starts after that tag's ">"; a leading ">" closes
    // a tag ("<p class=\"x\">ul"). The character at the caret must not continue the run.
    static std::optional<qsizetype> start(QStringView line, qsizetype caret);

    // The markup `abbreviation` stands for, or nothing when it is not a sound abbreviation.
    static std::optional<Expansion> expand(QStringView abbreviation, const Table& table,
                                           const Format& format);
};

} // namespace Quillorn
