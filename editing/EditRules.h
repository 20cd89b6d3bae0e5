#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace Quillorn {

// The text the editor's special keys insert, worked out from plain values so that the rules
// can be checked without a widget: automatic indentation and the document's line end.
class EditRules {
public:
    enum class LineEnd { CrLf, Lf, Cr };

    // The line end seen at `position` of `text`, where the first line ends: CR LF, LF or a
    // lone CR. `position` is the end of the first line (its length), so `text` needs to hold
    // only the bytes from there on.
    static LineEnd lineEndAt(QByteArrayView textFromLineEnd);

    static QByteArray lineEndBytes(LineEnd lineEnd);

    // `text` with every line end in it (CR LF, a lone LF, a lone CR) made `lineEnd`, so that
    // inserted text matches the document it lands in.
    static QString withLineEnds(const QString& text, LineEnd lineEnd);

    // What Enter inserts: the line end, then as many spaces and then as many tabs as the
    // leading run of blanks of `line` holds (spaces first, whatever their order in the line).
    static QByteArray indentation(QByteArrayView line, LineEnd lineEnd);

    // What Tab and Shift+Tab put in place of the selection.
    static QString tabbed(const QString& selected) { return QLatin1Char('\t') + selected; }
};

} // namespace Quillorn
