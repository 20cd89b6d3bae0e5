#pragma once

#include "editing/AbbreviationExpander.h"
#include "editing/ClosingTags.h"
#include "editing/EditRules.h"
#include "editing/Folding.h"
#include "editing/LexerChoice.h"
#include "editing/LineNumberGutter.h"
#include "editing/LongLineWatch.h"
#include "editing/StatusLine.h"
#include "editing/StyleBlockColourer.h"

#include "component/QsciHeaders.h"

#include <QFont>

#include <memory>

namespace Quillorn {

class BackgroundColourer;
class CheckMarkers;
class CompletionList;
class DocumentMaker;
class KeyCommands;
class LangStrings;
class MatchHighlighter;
class StatusCounter;
class TagCompletion;

// The document editor of the main window ("Rich"): shows the document of the current slot,
// adds the editor's special keys, the tag-completion list, the status line, colouring and the
// line-number gutter, and keeps typing fast on documents of a hundred megabytes.
class Editor : public QsciScintilla {
    Q_OBJECT

public:
    // What a slot keeps of the view when it is left: positions are byte positions of the
    // document; the selection runs from its anchor (start) to the caret (end); the folded
    // blocks by the lines that head them.
    struct ViewState {
        qint64 firstVisibleLine = 0;
        qint64 selectionStart = 0;
        qint64 selectionEnd = 0;
        QList<qint64> foldedLines;
        bool operator==(const ViewState&) const = default;
    };

    explicit Editor(QWidget* parent = nullptr);
    ~Editor() override;

    // Reads the completion list (SyntaxHTML.lng) and the PHP keywords (php.lng) from the
    // languages folder. A missing file leaves the list empty or the lexer's own keywords;
    // returns false when either could not be read.
    bool loadLanguageFiles(const QString& languagesFolder);
    // The strings of the status line; without them it shows the English texts.
    void setLangStrings(const LangStrings* strings) { m_strings = strings; }

    // A new empty document that colours as `kind`; each slot holds its own, with its own undo
    // history.
    QsciDocument createDocument(LexerKind kind);
    // Shows `document`, made by createDocument (and perhaps shown before): its colours, line end
    // and gutter follow it. The caret goes to the start; restoreViewState puts back what
    // viewState captured.
    void setDocument(const QsciDocument& document);
    ViewState viewState() const;
    void restoreViewState(const ViewState& state);

    // The colouring of the document shown.
    LexerKind lexerKind() const;

    // Puts `utf8Bytes` into the document shown, which should be empty, byte for byte (NUL and
    // invalid bytes included), takes its line end from the text, leaves no undo history and no
    // modified mark, and colours the first screen at once.
    void loadBytes(const QByteArray& utf8Bytes);
    // The exact bytes of the document shown.
    QByteArray bytes() const;
    // Gives the bytes between `from` and `to` the colours the view shows there: the lexer's,
    // going on from where it stopped, and the style sheets'.
    void colour(qint64 from, qint64 to);

    // The line end Enter inserts in the document shown.
    EditRules::LineEnd lineEnd() const { return m_lineEnd; }

    // Bytes of the document shown that give way to others: `length` bytes from `position`.
    struct Replacement {
        qint64 position = 0;
        qint64 length = 0;
        QByteArray bytes;
    };
    // Makes `replacements` (in text order, not overlapping) as one undo step.
    void replaceBytes(const QList<Replacement>& replacements);

    // The spaces and tabs that begin the line holding the byte `position`.
    QByteArray leadingBlanks(qint64 position) const;

    // The selected bytes; empty when nothing is selected.
    QByteArray selectedBytes() const;
    // Replaces the selection (or inserts at the caret) with `bytes`, NUL bytes included, as one
    // undo step; the caret ends behind them.
    void replaceSelectionBytes(const QByteArray& bytes);
    // Announces an edit made by a command at once: contentChanged and the status line.
    void finishEdit();

    // Tab's abbreviations in HTML documents: moves the caret to the next empty spot of the last
    // expansion, or expands the abbreviation that ends at the caret (abbreviations.lng holds
    // the aliases); false when there is neither, text is selected or the completion list is
    // open.
    bool expandAbbreviation();

    // Wraps the selection, or the empty caret, in the tag pair of `tag`.
    void insert2Tag(const QString& tag);
    // Replaces the selection with the clipboard's plain text.
    void pastePlainText();
    // True while a paste runs, so that the change handling knows the change came from it.
    bool isPasting() const { return m_pasting; }

    void setLineNumbersVisible(bool visible);
    bool lineNumbersVisible() const { return m_gutter.isVisible(); }
    void setWrapByWords(bool on);
    bool wrapsByWords() const { return wrapMode() == WrapWord; }

    // Code folding: the fold margin; off, every block is unfolded.
    void setFoldingEnabled(bool on);
    bool foldingEnabled() const { return m_folding.isEnabled(); }
    void foldAll();
    void unfoldAll();

    // The partner of the tag name or bracket at the caret shown once the caret rests.
    void setMatchHighlighting(bool on);
    bool highlightsMatching() const;
    // Moves the caret to the partner of the tag name or bracket at it; false when there is none.
    bool jumpToMatch();

    // "</" typed in an HTML document is completed with the innermost open element's closing tag.
    void setCompleteClosingTags(bool on) { m_closingTags.setCompleteOnSlash(on); }
    bool completesClosingTags() const { return m_closingTags.completesOnSlash(); }
    // The ">" of an opening tag typed in an HTML document adds its closing tag after the caret.
    void setAddClosingTags(bool on) { m_closingTags.setAddAfterOpening(on); }
    bool addsClosingTags() const { return m_closingTags.addsAfterOpening(); }

    // The check results in the margin of the document shown.
    CheckMarkers& checkMarkers() const { return *m_checks; }

    StatusLine::Position statusPosition() const;
    QString statusText() const;
    // Computes the status line and emits statusTextChanged.
    void refreshStatus();

    CompletionList* completionList() const;
    bool isCompletionOpen() const;
    // Where the list was opened: the position just after the "<".
    qint64 completionStart() const;

    // Hands accessibility to the editor component's own accessible object and full events;
    // called once an assistive technology is seen.
    void useFullAccessibility();

public Q_SLOTS:
    void undo() override;
    void redo() override;
    void paste() override;

Q_SIGNALS:
    // The text changed: typing, deleting, undo, redo, paste, replacing. Not for loading or
    // switching documents.
    void contentChanged();
    void statusTextChanged(const QString& text);
    void nextTabRequested();
    void previousTabRequested();
    // Ctrl+B: the tag panel's entry `entry` is to be activated.
    void tagEntryRequested(int entry);
    // A line of the document shown has passed a megabyte, after loading or an edit: editing it
    // is slow. Once per document.
    void longLineFound();

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;

private:
    void onModified(int position, int modificationType, int length);
    // Gives the style sheets between the byte positions `from` and `to`, which the lexer has
    // just coloured, their colours.
    void colourStyleSheets(qint64 from, qint64 to);
    // Colours a long line typed into: the lexer runs over it again unless the typed byte
    // changes no other colour, and then the style sheets.
    void colourTypedLine(const LongLineWatch::Typing& typing);
    void onUpdateUi(int updated);
    void flushContentChanged();

    void applyKindStyles(bool force = false);
    void detectLineEnd();

    long sci(unsigned int message, unsigned long wParam = 0, long lParam = 0) const
    {
        return SendScintilla(message, wParam, lParam);
    }

    const LangStrings* m_strings = nullptr;
    TagCompletion* m_completion;
    std::unique_ptr<KeyCommands> m_keys;
    QFont m_font;
    std::unique_ptr<DocumentMaker> m_maker;
    LexerKind m_appliedKind = LexerKind::PlainText;

    StyleBlockColourer m_styleBlocks;
    Folding m_folding;
    MatchHighlighter* m_match;
    CheckMarkers* m_checks;
    ClosingTags m_closingTags;
    AbbreviationExpander m_abbreviations;
    LineNumberGutter m_gutter;
    BackgroundColourer* m_colourer;
    LongLineWatch* m_longLines;
    StatusCounter* m_status;
    EditRules::LineEnd m_lineEnd = EditRules::LineEnd::CrLf;
    bool m_pasting = false;
    bool m_changePending = false;
    bool m_flushQueued = false;
    int m_quiet = 0; // loading or switching: changes are not the user's
    QString m_lastStatus;
};

} // namespace Quillorn
