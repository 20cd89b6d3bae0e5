#include "editing/Editor.h"

#include "editing/BackgroundColourer.h"
#include "editing/CheckMarkers.h"
#include "editing/CompletionList.h"
#include "editing/DocumentMaker.h"
#include "editing/EditorAccessibility.h"
#include "editing/EditorKeys.h"
#include "editing/EditorStandInAccessible.h"
#include "editing/EditorStyles.h"
#include "editing/KeyCommands.h"
#include "editing/LongLineWatch.h"
#include "editing/MatchHighlighter.h"
#include "editing/PhpKeywords.h"
#include "editing/StatusCounter.h"
#include "editing/TagCompletion.h"
#include "platform/AppPaths.h"
#include "platform/LangStrings.h"

#include "component/QsciHeaders.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>

#include <algorithm>

namespace Quillorn {

namespace {

using S = QsciScintillaBase;

// Only these modification events reach the editor while no assistive technology runs: the
// insert and delete events make the component's accessibility code count characters from the
// start of the text on every edit. Style changes tell where the lexer replaced the colours of
// style sheets.
constexpr long QuickModEventMask =
    S::SC_MOD_CHANGEFOLD | S::SC_MOD_BEFOREINSERT | S::SC_MOD_BEFOREDELETE | S::SC_MOD_CHANGESTYLE;
// Colouring done at once after a load covers at least this many lines.
constexpr long FirstScreenLines = 100;

} // namespace

Editor::Editor(QWidget* parent)
    : QsciScintilla(parent)
    , m_completion(new TagCompletion(this))
    , m_keys(std::make_unique<KeyCommands>(*this, *m_completion))
    , m_font(EditorStyles::editorFont())
    , m_maker(std::make_unique<DocumentMaker>())
    , m_styleBlocks(this)
    , m_folding(*this)
    , m_match(new MatchHighlighter(*this))
    , m_checks(new CheckMarkers(*this))
    , m_closingTags(*this)
    , m_abbreviations(*this)
    , m_gutter(*this)
    , m_colourer(new BackgroundColourer(this))
    , m_longLines(new LongLineWatch(
          this, [this](const LongLineWatch::Typing& typing) { colourTypedLine(typing); }))
    , m_status(new StatusCounter(this))
{
    EditorAccessibility::install();
    EditorAccessibility::registerEditor(this);
    setObjectName(QStringLiteral("Rich"));
    setUtf8(true);
    if (!EditorAccessibility::isFull())
        sci(SCI_SETMODEVENTMASK, QuickModEventMask);
    m_colourer->setEnabled(!EditorAccessibility::isFull());
    // The lexer's keyword sets count from 1; the second is that of the scripts.
    m_longLines->setScriptKeywords(m_maker->styleSource(LexerKind::Html)->keywords(2));

    m_folding.setEnabled(true);
    m_match->setEnabled(true);
    // Several carets: Alt+drag selects a rectangle, and typing goes in at every caret.
    sci(SCI_SETMULTIPLESELECTION, 1);
    sci(SCI_SETADDITIONALSELECTIONTYPING, 1);
    sci(SCI_SETMULTIPASTE, SC_MULTIPASTE_EACH);
    sci(SCI_SETRECTANGULARSELECTIONMODIFIER, SCMOD_ALT);

    // The component's own handler of view updates counts the caret's column from the start of
    // its line, for a signal and a brace highlighting this editor does not use: a tenth of a
    // second for every key and caret move at the end of a line of ten megabytes.
    disconnect(this, &QsciScintillaBase::SCN_UPDATEUI, this, nullptr);
    connect(this, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int position, int type, const char*, int length, int, int, int, int, int, int) {
                onModified(position, type, length);
            });
    connect(this, &QsciScintillaBase::SCN_UPDATEUI, this, &Editor::onUpdateUi);
    connect(m_completion->list(), &CompletionList::itemChosen, this,
            [this] { m_keys->acceptCompletion(); });
    connect(m_longLines, &LongLineWatch::longLineFound, this, &Editor::longLineFound);

    setDocument(createDocument(LexerKind::PlainText));
    applyKindStyles(true);
}

Editor::~Editor()
{
    EditorAccessibility::unregisterEditor(this);
}

bool Editor::loadLanguageFiles(const QString& languagesFolder)
{
    const QString folder = AppPaths::withTrailingSeparator(languagesFolder);
    const bool listRead = m_completion->loadItems(folder + QLatin1String("SyntaxHTML.lng"));
    const QByteArray keywords = PhpKeywords::load(folder + QLatin1String("php.lng"));
    m_maker->setPhpKeywords(keywords);
    m_closingTags.setVoidNames(m_completion->items().voidNames());
    // A missing table leaves the built-in element rules, without aliases.
    m_abbreviations.loadTable(folder + QLatin1String("abbreviations.lng"));
    return listRead && !keywords.isEmpty();
}

QsciDocument Editor::createDocument(LexerKind kind)
{
    return m_maker->create(kind);
}

void Editor::setDocument(const QsciDocument& document)
{
    m_completion->close();
    m_abbreviations.forget();
    // The marks of a match belong to the document left.
    m_match->clear();
    // The marks of a check still going in belong to the document left.
    m_checks->finish();
    ++m_quiet;
    const long left = sci(SCI_GETDOCPOINTER);
    QsciScintilla::setDocument(document);
    const long shown = sci(SCI_GETDOCPOINTER);
    // A document no view shows is kept alive by a reference the component takes each time the
    // last view lets go of it, and gives back only when the last handle goes: never when the
    // document is shown again. Every document shown here has been let go of before (by the
    // maker that made it, or by this view), so its reference is given back now that the view
    // holds it; else a document shown twice would never be freed once its tab is closed.
    if (shown != left)
        sci(SCI_RELEASEDOCUMENT, 0, shown);
    m_changePending = false;
    --m_quiet;
    detectLineEnd();
    applyKindStyles();
    m_styleBlocks.invalidate();
    m_gutter.update();
    m_checks->documentShown();
    m_longLines->documentShown();
    m_match->caretMoved();
    refreshStatus();
}

LexerKind Editor::lexerKind() const
{
    switch (sci(SCI_GETLEXER)) {
    case SCLEX_HTML:
        return LexerKind::Html;
    case SCLEX_CPP:
        return LexerKind::JavaScript;
    case SCLEX_CSS:
        return LexerKind::Css;
    default:
        break;
    }
    return LexerKind::PlainText;
}

void Editor::applyKindStyles(bool force)
{
    const LexerKind kind = lexerKind();
    if (!force && kind == m_appliedKind)
        return;
    EditorStyles::apply(this, m_maker->styleSource(kind), m_font);
    m_styleBlocks.setUpStyles();
    m_appliedKind = kind;
    m_gutter.refit();
}

Editor::ViewState Editor::viewState() const
{
    ViewState state;
    state.firstVisibleLine =
        sci(SCI_DOCLINEFROMVISIBLE, static_cast<unsigned long>(sci(SCI_GETFIRSTVISIBLELINE)));
    state.selectionStart = sci(SCI_GETANCHOR);
    state.selectionEnd = sci(SCI_GETCURRENTPOS);
    state.foldedLines = m_folding.foldedLines();
    return state;
}

void Editor::restoreViewState(const ViewState& state)
{
    m_longLines->moveView([this, &state] {
        const qint64 length = sci(SCI_GETLENGTH);
        const qint64 anchor = std::clamp<qint64>(state.selectionStart, 0, length);
        const qint64 caret = std::clamp<qint64>(state.selectionEnd, 0, length);
        sci(SCI_SETSEL, static_cast<unsigned long>(anchor), caret);
        // Before the first line: folded blocks change which lines are visible.
        m_folding.fold(state.foldedLines);
        const qint64 line =
            std::clamp<qint64>(state.firstVisibleLine, 0, sci(SCI_GETLINECOUNT) - 1);
        sci(SCI_SETFIRSTVISIBLELINE,
            static_cast<unsigned long>(
                sci(SCI_VISIBLEFROMDOCLINE, static_cast<unsigned long>(line))));
    });
    refreshStatus();
}

void Editor::loadBytes(const QByteArray& utf8Bytes)
{
    m_completion->close();
    ++m_quiet;
    // Loading is not an edit: it must not be undoable, nor cost a copy in the undo history.
    sci(SCI_SETUNDOCOLLECTION, 0);
    if (sci(SCI_GETLENGTH) > 0)
        sci(SCI_CLEARALL);
    // Room for the text and some typing at once: growing a full buffer on the first keystroke
    // would copy the whole document.
    const qint64 room = utf8Bytes.size() + std::min<qint64>(utf8Bytes.size() / 8, 4 << 20) + 65536;
    sci(SCI_ALLOCATE, static_cast<unsigned long>(room));
    SendScintilla(SCI_APPENDTEXT, static_cast<unsigned long>(utf8Bytes.size()),
                  utf8Bytes.constData());
    sci(SCI_SETUNDOCOLLECTION, 1);
    sci(SCI_EMPTYUNDOBUFFER);
    sci(SCI_SETSAVEPOINT);
    m_changePending = false;
    --m_quiet;
    detectLineEnd();
    m_gutter.update();

    // The rest is coloured as it comes into view. The first screen is coloured before the caret
    // goes to the start, which lays out its line: a long line is then laid out once, with its
    // colours.
    const long lines = std::max(FirstScreenLines, sci(SCI_LINESONSCREEN) + 1);
    const long lastLine = std::min(lines, sci(SCI_GETLINECOUNT) - 1);
    const long firstScreenEnd = sci(SCI_GETLINEENDPOSITION, static_cast<unsigned long>(lastLine));
    sci(SCI_COLOURISE, 0, firstScreenEnd);
    colourStyleSheets(0, firstScreenEnd);
    m_longLines->textLoaded();
    m_longLines->moveView([this] { sci(SCI_GOTOPOS, 0); });
    refreshStatus();
}

QByteArray Editor::bytes() const
{
    const long length = sci(SCI_GETLENGTH);
    const auto* text = reinterpret_cast<const char*>(sci(SCI_GETCHARACTERPOINTER));
    return text ? QByteArray(text, length) : QByteArray();
}

void Editor::detectLineEnd()
{
    m_lineEnd = EditRules::LineEnd::CrLf;
    if (sci(SCI_GETLINECOUNT) > 1) {
        const long end = sci(SCI_GETLINEENDPOSITION, 0);
        const char lineEnd[2] = {
            static_cast<char>(sci(SCI_GETCHARAT, static_cast<unsigned long>(end))),
            static_cast<char>(sci(SCI_GETCHARAT, static_cast<unsigned long>(end + 1)))};
        m_lineEnd = EditRules::lineEndAt(QByteArrayView(lineEnd, 2));
    }
    switch (m_lineEnd) {
    case EditRules::LineEnd::CrLf:
        setEolMode(EolWindows);
        break;
    case EditRules::LineEnd::Lf:
        setEolMode(EolUnix);
        break;
    case EditRules::LineEnd::Cr:
        setEolMode(EolMac);
        break;
    }
}

void Editor::setFoldingEnabled(bool on)
{
    m_folding.setEnabled(on);
}

void Editor::foldAll()
{
    m_longLines->moveView([this] { m_folding.foldAll(); });
}

void Editor::unfoldAll()
{
    m_folding.unfoldAll();
}

void Editor::setMatchHighlighting(bool on)
{
    m_match->setEnabled(on);
}

bool Editor::highlightsMatching() const
{
    return m_match->isEnabled();
}

bool Editor::jumpToMatch()
{
    const bool moved = m_match->jumpToPartner();
    refreshStatus();
    return moved;
}

void Editor::setLineNumbersVisible(bool visible)
{
    m_gutter.setVisible(visible);
}

void Editor::setWrapByWords(bool on)
{
    setWrapMode(on ? WrapWord : WrapNone);
}

// ---- status line ----

StatusLine::Position Editor::statusPosition() const
{
    return m_status->position();
}

QString Editor::statusText() const
{
    static const LangStrings english;
    return StatusLine::caption(m_strings ? *m_strings : english, statusPosition());
}

void Editor::finishEdit()
{
    flushContentChanged();
    refreshStatus();
}

void Editor::refreshStatus()
{
    m_lastStatus = statusText();
    Q_EMIT statusTextChanged(m_lastStatus);
}

// ---- edits ----

void Editor::replaceSelectionBytes(const QByteArray& bytes)
{
    // Through the target, which takes a length, so NUL bytes survive.
    sci(SCI_BEGINUNDOACTION);
    sci(SCI_TARGETFROMSELECTION);
    SendScintilla(SCI_REPLACETARGET, static_cast<unsigned long>(bytes.size()), bytes.constData());
    const long end = sci(SCI_GETTARGETEND);
    sci(SCI_ENDUNDOACTION);
    sci(SCI_GOTOPOS, static_cast<unsigned long>(end));
}

void Editor::replaceBytes(const QList<Replacement>& replacements)
{
    sci(SCI_BEGINUNDOACTION);
    // From the last to the first, so that each position still means what it meant.
    for (auto it = replacements.crbegin(); it != replacements.crend(); ++it) {
        sci(SCI_SETTARGETRANGE, static_cast<unsigned long>(it->position),
            static_cast<long>(it->position + it->length));
        SendScintilla(SCI_REPLACETARGET, static_cast<unsigned long>(it->bytes.size()),
                      it->bytes.constData());
    }
    sci(SCI_ENDUNDOACTION);
    flushContentChanged();
}

QByteArray Editor::selectedBytes() const
{
    const long start = sci(SCI_GETSELECTIONSTART);
    const long end = sci(SCI_GETSELECTIONEND);
    if (end <= start)
        return {};
    const auto* text = reinterpret_cast<const char*>(
        sci(SCI_GETRANGEPOINTER, static_cast<unsigned long>(start), end - start));
    return text ? QByteArray(text, end - start) : QByteArray();
}

QByteArray Editor::leadingBlanks(qint64 position) const
{
    const auto line = sci(SCI_LINEFROMPOSITION, static_cast<unsigned long>(position));
    const long end = sci(SCI_GETLINEENDPOSITION, static_cast<unsigned long>(line));
    QByteArray blanks;
    for (long pos = sci(SCI_POSITIONFROMLINE, static_cast<unsigned long>(line)); pos < end; ++pos) {
        const char c = static_cast<char>(sci(SCI_GETCHARAT, static_cast<unsigned long>(pos)));
        if (c != ' ' && c != '\t')
            break;
        blanks += c;
    }
    return blanks;
}

void Editor::insert2Tag(const QString& tag)
{
    const QByteArray name = tag.toUtf8();
    replaceSelectionBytes('<' + name + '>' + selectedBytes() + "</" + name + '>');
    setFocus();
    finishEdit();
}

bool Editor::expandAbbreviation()
{
    if (m_completion->isOpen() || !m_abbreviations.run())
        return false;
    finishEdit();
    return true;
}

void Editor::pastePlainText()
{
    m_pasting = true;
    // Only the plain text: formatting on the clipboard never reaches the document.
    const QByteArray text = QGuiApplication::clipboard()->text().toUtf8();
    sci(SCI_BEGINUNDOACTION);
    replaceSelectionBytes({});
    replaceSelectionBytes(text);
    sci(SCI_ENDUNDOACTION);
    flushContentChanged();
    m_pasting = false;
    refreshStatus();
}

void Editor::undo()
{
    m_abbreviations.forget();
    QsciScintilla::undo();
    flushContentChanged();
}

void Editor::redo()
{
    m_abbreviations.forget();
    QsciScintilla::redo();
    flushContentChanged();
}

void Editor::paste()
{
    pastePlainText();
}

// ---- change notification ----

void Editor::colour(qint64 from, qint64 to)
{
    const long styled = sci(SCI_GETENDSTYLED);
    if (styled < to)
        // From the start of its line: the lexers start again there.
        sci(SCI_COLOURISE,
            static_cast<unsigned long>(
                sci(SCI_POSITIONFROMLINE,
                    static_cast<unsigned long>(
                        sci(SCI_LINEFROMPOSITION, static_cast<unsigned long>(styled))))),
            static_cast<long>(to));
    colourStyleSheets(from, to);
}

void Editor::colourStyleSheets(qint64 from, qint64 to)
{
    if (m_appliedKind == LexerKind::Html)
        m_styleBlocks.colour(from, to);
}

void Editor::colourTypedLine(const LongLineWatch::Typing& typing)
{
    if (m_appliedKind != LexerKind::Html || !m_longLines->styleTypedByteAlone(typing))
        sci(SCI_COLOURISE, static_cast<unsigned long>(typing.lineStart), typing.nextLine);
    colourStyleSheets(typing.lineStart, typing.nextLine);
}

void Editor::onModified(int position, int modificationType, int length)
{
    if (modificationType & SC_MOD_CHANGESTYLE)
        m_styleBlocks.lexerStyled(position, length);
    constexpr int textChanges =
        SC_MOD_BEFOREINSERT | SC_MOD_BEFOREDELETE | SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT;
    if ((modificationType & textChanges) == 0)
        return;
    m_styleBlocks.textChanged(position);
    if (modificationType & (SC_MOD_BEFOREINSERT | SC_MOD_BEFOREDELETE))
        m_abbreviations.textChanging(position, length, modificationType & SC_MOD_BEFOREINSERT);
    if (m_quiet > 0)
        return;
    // The notification comes before the change; the signal goes out once it is done: after
    // the key or command that made it, or else when control is back in the event loop.
    m_changePending = true;
    if (!m_flushQueued) {
        m_flushQueued = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_flushQueued = false;
                flushContentChanged();
            },
            Qt::QueuedConnection);
    }
}

void Editor::flushContentChanged()
{
    if (!m_changePending)
        return;
    m_changePending = false;
    m_gutter.update();
    m_longLines->textChanged();
    m_match->caretMoved();
    Q_EMIT contentChanged();
}

void Editor::onUpdateUi(int updated)
{
    if (updated & SC_UPDATE_CONTENT)
        flushContentChanged();
    if (m_appliedKind == LexerKind::Html)
        m_styleBlocks.updateVisible();
    if (updated & SC_UPDATE_SELECTION) {
        m_abbreviations.caretMoved(sci(SCI_GETCURRENTPOS));
        m_match->caretMoved();
        if (m_completion->isOpen())
            m_completion->follow();
        const QString text = statusText();
        if (text != m_lastStatus) {
            m_lastStatus = text;
            Q_EMIT statusTextChanged(text);
        }
    }
}

// ---- accessibility ----

void Editor::useFullAccessibility()
{
    sci(SCI_SETMODEVENTMASK, SC_MODEVENTMASKALL);
    m_colourer->setEnabled(false);
    QAccessibleInterface* current = QAccessible::queryAccessibleInterface(this);
    if (dynamic_cast<EditorStandInAccessible*>(current)) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(current));
        // Asked again, the component's own accessible object is made; tell the reader.
        QAccessibleEvent created(this, QAccessible::ObjectCreated);
        QAccessible::updateAccessibility(&created);
    }
}

// ---- keys and mouse ----

bool Editor::event(QEvent* e)
{
    switch (e->type()) {
    case QEvent::ShortcutOverride: {
        // Keys with a meaning in the editor are not taken by the window's shortcuts.
        const auto* key = static_cast<QKeyEvent*>(e);
        if (EditorKeys::isOwned(key->key(), key->modifiers(), m_completion->isOpen())) {
            e->accept();
            return true;
        }
        break;
    }
    case QEvent::KeyPress: {
        // Tab moves the focus on in other widgets; here it is a key like any other.
        auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
        break;
    }
    case QEvent::FocusIn:
    case QEvent::Show:
        EditorAccessibility::checkActivation();
        break;
    default:
        break;
    }
    return QsciScintilla::event(e);
}

void Editor::keyPressEvent(QKeyEvent* e)
{
    EditorAccessibility::checkActivation();
    refreshStatus();
    switch (m_keys->run(*e)) {
    case KeyCommands::Outcome::PassBareKey: {
        QKeyEvent bare(e->type(), e->key(), e->modifiers(), QString(), e->isAutoRepeat());
        QsciScintilla::keyPressEvent(&bare);
        e->accept();
        break;
    }
    case KeyCommands::Outcome::Done:
        e->accept();
        break;
    case KeyCommands::Outcome::NotOurs: {
        if (m_longLines->typeIntoLongLine(e))
            e->accept();
        else
            QsciScintilla::keyPressEvent(e);
        const long caret = sci(SCI_GETCURRENTPOS);
        // The typed character decides, not the key: "<" sits on different keys by layout.
        if (m_appliedKind == LexerKind::Html && m_closingTags.typed(e->text()))
            m_completion->close();
        else if (e->text() == QLatin1String("<") && caret > 0 &&
                 sci(SCI_GETCHARAT, static_cast<unsigned long>(caret - 1)) == '<')
            m_completion->open();
        else if (m_completion->isOpen())
            m_completion->follow();
        break;
    }
    }
    flushContentChanged();
    const QString text = statusText();
    if (text != m_lastStatus) {
        m_lastStatus = text;
        Q_EMIT statusTextChanged(text);
    }
}

void Editor::keyReleaseEvent(QKeyEvent* e)
{
    refreshStatus();
    if (m_completion->isOpen() && (e->key() == Qt::Key_Up || e->key() == Qt::Key_Down)) {
        e->accept();
        return;
    }
    if (m_completion->isOpen())
        m_completion->follow();
    QsciScintilla::keyReleaseEvent(e);
}

void Editor::mousePressEvent(QMouseEvent* e)
{
    EditorAccessibility::checkActivation();
    QsciScintilla::mousePressEvent(e);
    if (m_completion->isOpen())
        m_completion->follow();
    refreshStatus();
}

void Editor::mouseReleaseEvent(QMouseEvent* e)
{
    QsciScintilla::mouseReleaseEvent(e);
    flushContentChanged();
    refreshStatus();
}

void Editor::focusOutEvent(QFocusEvent* e)
{
    m_completion->close();
    QsciScintilla::focusOutEvent(e);
}

void Editor::inputMethodEvent(QInputMethodEvent* e)
{
    QsciScintilla::inputMethodEvent(e);
    flushContentChanged();
    if (m_completion->isOpen())
        m_completion->follow();
    else if (e->commitString() == QLatin1String("<"))
        m_completion->open();
}

// ---- completion list ----

CompletionList* Editor::completionList() const
{
    return m_completion->list();
}

bool Editor::isCompletionOpen() const
{
    return m_completion->isOpen();
}

qint64 Editor::completionStart() const
{
    return m_completion->start();
}

} // namespace Quillorn
