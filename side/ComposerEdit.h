#pragma once

#include <QTextEdit>
#include <QTextListFormat>

namespace Quillorn {

// The composer's writing surface: a rich-text box with paragraph commands (headings, lists,
// links, clearing) over the selected blocks; Tab and Shift+Tab move a list item in or out, Enter
// behind a heading starts a paragraph, and pasted HTML comes in without its scripts.
class ComposerEdit : public QTextEdit {
    Q_OBJECT
public:
    // The font sizes the composer offers, 1 to 7 as in web pages, in points.
    static constexpr qreal SizePoints[] = {8, 10, 12, 14, 18, 24, 36};
    // Size 3, the default font's.
    static constexpr int DefaultSize = 3;

    explicit ComposerEdit(QWidget* parent = nullptr);

    // Makes the blocks of the selection paragraphs (level 0) or headings of `level` (1-6).
    void setHeading(int level);
    // Puts the blocks of the selection into a list of `style`, gives a list of another style
    // that style, or takes them out of a list of that style.
    void toggleList(QTextListFormat::Style style);
    // Moves the list item of the caret one level in (`step` 1) or out (-1); out of the
    // outermost level it becomes a paragraph.
    void indentListItem(int step);
    // Makes the selection a link to `address`; without a selection the address is inserted as
    // the link's text.
    void setLink(const QString& address);
    // Takes every character format (bold, colour, font, link...) off the selection, or off
    // what is typed next when nothing is selected.
    void clearFormatting();
    // Replaces the text with `text`: HTML (without its scripts) when `asHtml`, else plain text.
    void load(const QString& text, bool asHtml);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // A cursor over whole blocks, from the first to the last block the selection touches.
    QTextCursor selectedBlocks() const;
};

} // namespace Quillorn
