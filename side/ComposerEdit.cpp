#include "side/ComposerEdit.h"

#include "side/RichTextHtml.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextList>

namespace Quillorn {

namespace {

// Qt's own steps of a heading's font size, heading 1 the largest.
int headingSizeAdjustment(int level)
{
    return level > 0 ? 4 - level : 0;
}

// The list of `indent` that the items above `block` belong to, when `block` follows such an
// item with only deeper items between.
QTextList* listAbove(const QTextBlock& block, int indent)
{
    for (QTextBlock above = block.previous(); above.isValid(); above = above.previous()) {
        QTextList* list = above.textList();
        if (!list || list->format().indent() < indent)
            return nullptr;
        if (list->format().indent() == indent)
            return list;
    }
    return nullptr;
}

void takeOutOfList(const QTextBlock& block)
{
    block.textList()->remove(block);
    // Qt keeps the block where the list had it; as a paragraph it starts at the margin.
    QTextBlockFormat format = block.blockFormat();
    format.setIndent(0);
    QTextCursor(block).setBlockFormat(format);
}

} // namespace

ComposerEdit::ComposerEdit(QWidget* parent)
    : QTextEdit(parent)
{
    QFont standard = font();
    standard.setPointSizeF(SizePoints[DefaultSize - 1]);
    document()->setDefaultFont(standard);
}

QTextCursor ComposerEdit::selectedBlocks() const
{
    QTextCursor cursor = textCursor();
    const int end = cursor.selectionEnd();
    cursor.setPosition(cursor.selectionStart());
    cursor.movePosition(QTextCursor::StartOfBlock);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    return cursor;
}

void ComposerEdit::setHeading(int level)
{
    const QTextCursor blocks = selectedBlocks();
    QTextCursor edit(document());
    edit.beginEditBlock();
    for (QTextBlock block = document()->findBlock(blocks.selectionStart());
         block.isValid() && block.position() <= blocks.selectionEnd(); block = block.next()) {
        const int was = block.blockFormat().headingLevel();
        if (was == level)
            continue;
        QTextCursor cursor(block);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        QTextBlockFormat heading;
        heading.setHeadingLevel(level);
        cursor.mergeBlockFormat(heading);
        // The look of a heading, as Qt gives it to an <h1>-<h6> it reads; bold only changes
        // between a paragraph and a heading, so that a paragraph keeps its bold words.
        QTextCharFormat look;
        look.setProperty(QTextFormat::FontSizeAdjustment, headingSizeAdjustment(level));
        if ((was == 0) != (level == 0))
            look.setFontWeight(level > 0 ? QFont::Bold : QFont::Normal);
        cursor.mergeCharFormat(look);
        cursor.mergeBlockCharFormat(look);
        // What is typed next at the caret takes the look too.
        if (!textCursor().hasSelection() && block == textCursor().block())
            mergeCurrentCharFormat(look);
    }
    edit.endEditBlock();
}

void ComposerEdit::toggleList(QTextListFormat::Style style)
{
    QTextCursor cursor = textCursor();
    QTextList* list = cursor.currentList();
    cursor.beginEditBlock();
    if (!list) {
        QTextListFormat format;
        format.setStyle(style);
        format.setIndent(1);
        cursor.createList(format);
    } else if (list->format().style() != style) {
        QTextListFormat format = list->format();
        format.setStyle(style);
        list->setFormat(format);
    } else {
        const QTextCursor blocks = selectedBlocks();
        for (QTextBlock block = document()->findBlock(blocks.selectionStart());
             block.isValid() && block.position() <= blocks.selectionEnd(); block = block.next()) {
            if (block.textList())
                takeOutOfList(block);
        }
    }
    cursor.endEditBlock();
}

void ComposerEdit::indentListItem(int step)
{
    QTextCursor cursor = textCursor();
    QTextList* list = cursor.currentList();
    if (!list)
        return;
    const QTextBlock block = cursor.block();
    const int indent = list->format().indent() + step;
    cursor.beginEditBlock();
    if (indent < 1) {
        takeOutOfList(block);
    } else if (QTextList* above = listAbove(block, indent)) {
        above->add(block);
    } else {
        QTextListFormat format = list->format();
        format.setIndent(indent);
        cursor.clearSelection();
        cursor.createList(format);
    }
    cursor.endEditBlock();
}

void ComposerEdit::setLink(const QString& address)
{
    QTextCharFormat link;
    link.setAnchor(true);
    link.setAnchorHref(address);
    link.setFontUnderline(true);
    // The application's link colour, which the HTML writer knows as a link's own.
    link.setForeground(QGuiApplication::palette().color(QPalette::Link));
    QTextCursor cursor = textCursor();
    if (cursor.hasSelection()) {
        cursor.mergeCharFormat(link);
        return;
    }
    const QTextCharFormat typing = cursor.charFormat();
    QTextCharFormat format = typing;
    format.merge(link);
    cursor.insertText(address, format);
    // What is typed behind the link is not part of it.
    setCurrentCharFormat(typing);
}

void ComposerEdit::clearFormatting()
{
    setCurrentCharFormat(QTextCharFormat());
}

void ComposerEdit::load(const QString& text, bool asHtml)
{
    if (asHtml)
        setHtml(RichTextHtml::sanitised(text));
    else
        setPlainText(text);
}

void ComposerEdit::keyPressEvent(QKeyEvent* event)
{
    const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if (tab && textCursor().currentList() &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        indentListItem(event->key() == Qt::Key_Tab ? 1 : -1);
        return;
    }
    const QTextCursor cursor = textCursor();
    const bool endsHeading = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
                             cursor.blockFormat().headingLevel() > 0 && cursor.atBlockEnd();
    QTextEdit::keyPressEvent(event);
    // As in a word processor, a heading is followed by a paragraph.
    if (endsHeading && textCursor().blockNumber() != cursor.blockNumber())
        setHeading(0);
}

void ComposerEdit::insertFromMimeData(const QMimeData* source)
{
    if (source->hasHtml())
        textCursor().insertHtml(RichTextHtml::sanitised(source->html()));
    else
        QTextEdit::insertFromMimeData(source);
}

} // namespace Quillorn
