#include "side/ComposerWindow.h"

#include "documents/CurrentDocument.h"
#include "platform/LangStrings.h"
#include "platform/Prompter.h"
#include "platform/WindowPlacement.h"
#include "side/ComposerEdit.h"
#include "side/RichTextHtml.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QFontComboBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextList>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <functional>
#include <iterator>

namespace Quillorn {

namespace {

// The colours of the colour menu: the sixteen named colours of web pages.
struct NamedColour {
    Str name;
    QRgb rgb;
};
constexpr NamedColour Colours[] = {
    {Str::ColourBlack, 0x000000},  {Str::ColourGray, 0x808080},   {Str::ColourSilver, 0xc0c0c0},
    {Str::ColourWhite, 0xffffff},  {Str::ColourMaroon, 0x800000}, {Str::ColourRed, 0xff0000},
    {Str::ColourOlive, 0x808000},  {Str::ColourYellow, 0xffff00}, {Str::ColourGreen, 0x008000},
    {Str::ColourLime, 0x00ff00},   {Str::ColourTeal, 0x008080},   {Str::ColourAqua, 0x00ffff},
    {Str::ColourNavy, 0x000080},   {Str::ColourBlue, 0x0000ff},   {Str::ColourPurple, 0x800080},
    {Str::ColourFuchsia, 0xff00ff}};

constexpr int IconSize = 24;

// The desktop theme's icon `themeName`, or a small drawing of what the button does where the
// theme has none.
QIcon toolIcon(const char* themeName, const std::function<void(QPainter&)>& draw)
{
    QPixmap pixmap(IconSize, IconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x2b, 0x3a, 0x4a), 2));
    draw(painter);
    painter.end();
    return QIcon::fromTheme(QLatin1String(themeName), QIcon(pixmap));
}

QIcon letterIcon(const char* themeName, const QString& letter, void (QFont::*style)(bool))
{
    return toolIcon(themeName, [&letter, style](QPainter& painter) {
        QFont font = painter.font();
        font.setPixelSize(IconSize * 3 / 4);
        (font.*style)(true);
        painter.setFont(font);
        painter.drawText(QRect(0, 0, IconSize, IconSize), Qt::AlignCenter, letter);
    });
}

QIcon alignmentIcon(const char* themeName, Qt::Alignment alignment)
{
    return toolIcon(themeName, [alignment](QPainter& painter) {
        const int widths[] = {18, 12, 18, 8};
        for (int line = 0; line < 4; ++line) {
            const int width = alignment == Qt::AlignJustify ? 18 : widths[line];
            int left = 3;
            if (alignment == Qt::AlignRight)
                left = 21 - width;
            else if (alignment == Qt::AlignHCenter)
                left = 12 - width / 2;
            const int y = 5 + line * 5;
            painter.drawLine(left, y, left + width, y);
        }
    });
}

QIcon listIcon(const char* themeName, bool numbered)
{
    return toolIcon(themeName, [numbered](QPainter& painter) {
        QFont font = painter.font();
        font.setPixelSize(8);
        painter.setFont(font);
        for (int item = 0; item < 3; ++item) {
            const int y = 5 + item * 7;
            if (numbered)
                painter.drawText(QRect(0, y - 5, 8, 10), Qt::AlignCenter,
                                 QString::number(item + 1));
            else
                painter.drawEllipse(QPointF(4, y), 1.5, 1.5);
            painter.drawLine(9, y, 22, y);
        }
    });
}

// "Size (1-7):" as a tool tip.
QString tip(const QString& caption)
{
    QString text = caption.trimmed();
    if (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text;
}

} // namespace

ComposerWindow::ComposerWindow(const Context& context)
    : QWidget(context.window, Qt::Tool)
    , m_context(context)
    , m_edit(new ComposerEdit(this))
{
    setObjectName(QStringLiteral("ComposerWindow"));
    WindowPlacement::keepOverParent(this);
    m_edit->setObjectName(QStringLiteral("ComposerText"));

    m_take = new QPushButton(this);
    m_take->setObjectName(QStringLiteral("TakeSelection"));
    m_insert = new QPushButton(this);
    m_insert->setObjectName(QStringLiteral("InsertToCode"));
    m_insert->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    buildToolBars(layout);
    layout->addWidget(m_edit, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_take);
    buttons->addStretch();
    buttons->addWidget(m_insert);
    layout->addLayout(buttons);
    resize(720, 460);

    connect(m_take, &QPushButton::clicked, this, &ComposerWindow::takeSelection);
    connect(m_insert, &QPushButton::clicked, this, &ComposerWindow::insertToCode);
    connect(m_edit, &QTextEdit::currentCharFormatChanged, this, &ComposerWindow::showCharFormat);
    connect(m_edit, &QTextEdit::cursorPositionChanged, this, &ComposerWindow::showBlockFormat);
    applyCaptions();
    showCharFormat(m_edit->currentCharFormat());
    showBlockFormat();
}

QAction* ComposerWindow::addToggle(const QString& objectName, const QIcon& icon)
{
    auto* action = new QAction(icon, QString(), this);
    action->setObjectName(objectName);
    action->setCheckable(true);
    return action;
}

void ComposerWindow::buildToolBars(QVBoxLayout* layout)
{
    auto* bar = new QToolBar(this);
    bar->setIconSize(QSize(IconSize, IconSize));

    // A character format switched on or off for the selection or what is typed next.
    const auto charToggle = [this, bar](const QString& name, const QIcon& icon,
                                        const QKeySequence& key,
                                        void (*apply)(QTextCharFormat&, bool)) {
        QAction* action = addToggle(name, icon);
        action->setShortcut(key);
        bar->addAction(action);
        connect(action, &QAction::triggered, this, [this, apply](bool on) {
            QTextCharFormat format;
            apply(format, on);
            mergeFormat(format);
        });
        return action;
    };
    m_bold = charToggle(QStringLiteral("Bold"),
                        letterIcon("format-text-bold", QStringLiteral("B"), &QFont::setBold),
                        QKeySequence::Bold, [](QTextCharFormat& format, bool on) {
                            format.setFontWeight(on ? QFont::Bold : QFont::Normal);
                        });
    m_italic = charToggle(QStringLiteral("Italic"),
                          letterIcon("format-text-italic", QStringLiteral("I"), &QFont::setItalic),
                          QKeySequence::Italic,
                          [](QTextCharFormat& format, bool on) { format.setFontItalic(on); });
    m_underline =
        charToggle(QStringLiteral("Underline"),
                   letterIcon("format-text-underline", QStringLiteral("U"), &QFont::setUnderline),
                   QKeySequence::Underline,
                   [](QTextCharFormat& format, bool on) { format.setFontUnderline(on); });
    m_strikeOut = charToggle(
        QStringLiteral("StrikeOut"),
        letterIcon("format-text-strikethrough", QStringLiteral("S"), &QFont::setStrikeOut),
        QKeySequence(), [](QTextCharFormat& format, bool on) { format.setFontStrikeOut(on); });
    bar->addSeparator();

    m_font = new QFontComboBox(bar);
    m_font->setObjectName(QStringLiteral("FontName"));
    connect(m_font, &QComboBox::textActivated, this, [this](const QString& family) {
        QTextCharFormat format;
        format.setFontFamilies({family});
        mergeFormat(format);
    });
    bar->addWidget(m_font);
    m_size = new QComboBox(bar);
    m_size->setObjectName(QStringLiteral("FontSize"));
    for (int size = 1; size <= static_cast<int>(std::size(ComposerEdit::SizePoints)); ++size)
        m_size->addItem(QString::number(size));
    connect(m_size, &QComboBox::activated, this, [this](int index) {
        QTextCharFormat format;
        format.setFontPointSize(ComposerEdit::SizePoints[index]);
        mergeFormat(format);
    });
    bar->addWidget(m_size);
    m_colour = new QToolButton(bar);
    m_colour->setObjectName(QStringLiteral("FontColour"));
    m_colour->setIcon(toolIcon("format-text-color", [](QPainter& painter) {
        painter.drawText(QRect(0, 0, IconSize, IconSize - 5), Qt::AlignCenter, QStringLiteral("A"));
        painter.fillRect(QRect(4, IconSize - 6, IconSize - 8, 4), Qt::red);
    }));
    m_colour->setPopupMode(QToolButton::MenuButtonPopup);
    m_colours = new QMenu(m_colour);
    for (const NamedColour& colour : Colours) {
        QPixmap swatch(16, 16);
        swatch.fill(QColor(colour.rgb));
        QAction* action = m_colours->addAction(QIcon(swatch), QString());
        connect(action, &QAction::triggered, this, [this, rgb = colour.rgb] {
            QTextCharFormat format;
            format.setForeground(QColor(rgb));
            mergeFormat(format);
        });
    }
    m_colour->setMenu(m_colours);
    connect(m_colour, &QToolButton::clicked, this, &ComposerWindow::askColour);
    bar->addWidget(m_colour);
    layout->addWidget(bar);
    // The paragraph formats get a row of their own, so that no button hides in the overflow.
    bar = new QToolBar(this);
    bar->setIconSize(QSize(IconSize, IconSize));

    m_alignLeft =
        addToggle(QStringLiteral("AlignLeft"), alignmentIcon("format-justify-left", Qt::AlignLeft));
    m_alignCenter = addToggle(QStringLiteral("AlignCenter"),
                              alignmentIcon("format-justify-center", Qt::AlignHCenter));
    m_alignRight = addToggle(QStringLiteral("AlignRight"),
                             alignmentIcon("format-justify-right", Qt::AlignRight));
    m_justify = addToggle(QStringLiteral("Justify"),
                          alignmentIcon("format-justify-fill", Qt::AlignJustify));
    auto* alignments = new QActionGroup(this);
    const std::pair<QAction*, Qt::Alignment> alignment[] = {{m_alignLeft, Qt::AlignLeft},
                                                            {m_alignCenter, Qt::AlignHCenter},
                                                            {m_alignRight, Qt::AlignRight},
                                                            {m_justify, Qt::AlignJustify}};
    for (const auto& [action, align] : alignment) {
        alignments->addAction(action);
        bar->addAction(action);
        connect(action, &QAction::triggered, this, [this, align] {
            m_edit->setAlignment(align);
            m_edit->setFocus();
        });
    }
    bar->addSeparator();

    m_bullets = addToggle(QStringLiteral("BulletedList"), listIcon("format-list-unordered", false));
    connect(m_bullets, &QAction::triggered, this, [this] {
        m_edit->toggleList(QTextListFormat::ListDisc);
        showBlockFormat();
    });
    m_numbers = addToggle(QStringLiteral("NumberedList"), listIcon("format-list-ordered", true));
    connect(m_numbers, &QAction::triggered, this, [this] {
        m_edit->toggleList(QTextListFormat::ListDecimal);
        showBlockFormat();
    });
    m_link = new QAction(toolIcon("insert-link",
                                  [](QPainter& painter) {
                                      painter.setPen(QPen(QColor(0x1f, 0x5f, 0xbf), 2));
                                      painter.drawEllipse(QRectF(3, 8, 10, 8));
                                      painter.drawEllipse(QRectF(11, 8, 10, 8));
                                  }),
                         QString(), this);
    m_link->setObjectName(QStringLiteral("Link"));
    connect(m_link, &QAction::triggered, this, &ComposerWindow::askLink);
    bar->addActions({m_bullets, m_numbers, m_link});
    bar->addSeparator();

    m_blockStyle = new QComboBox(bar);
    m_blockStyle->setObjectName(QStringLiteral("BlockStyle"));
    for (int level = 0; level <= 6; ++level)
        m_blockStyle->addItem(QString());
    connect(m_blockStyle, &QComboBox::activated, this, [this](int level) {
        m_edit->setHeading(level);
        m_edit->setFocus();
    });
    bar->addWidget(m_blockStyle);
    m_clear = new QAction(toolIcon("edit-clear",
                                   [](QPainter& painter) {
                                       QFont font = painter.font();
                                       font.setPixelSize(IconSize * 3 / 4);
                                       painter.setFont(font);
                                       painter.drawText(QRect(0, 0, IconSize, IconSize),
                                                        Qt::AlignCenter, QStringLiteral("T"));
                                       painter.setPen(QPen(Qt::red, 2));
                                       painter.drawLine(5, 19, 19, 5);
                                   }),
                          QString(), this);
    m_clear->setObjectName(QStringLiteral("ClearFormatting"));
    connect(m_clear, &QAction::triggered, this, [this] {
        m_edit->clearFormatting();
        m_edit->setFocus();
    });
    bar->addAction(m_clear);
    layout->addWidget(bar);
}

void ComposerWindow::applyCaptions()
{
    const LangStrings& s = m_context.strings;
    setWindowTitle(s.value(Str::TextEditor, QStringLiteral("Text editor")));
    const std::pair<QAction*, Str> actions[] = {{m_bold, Str::FontBold},
                                                {m_italic, Str::FontItalic},
                                                {m_underline, Str::FontUnderline},
                                                {m_strikeOut, Str::FontStrikeOut},
                                                {m_alignLeft, Str::TipAlignLeft},
                                                {m_alignCenter, Str::TipAlignCenter},
                                                {m_alignRight, Str::TipAlignRight},
                                                {m_justify, Str::TipJustify},
                                                {m_bullets, Str::ComposerBulletedList},
                                                {m_numbers, Str::ComposerNumberedList},
                                                {m_link, Str::ComposerLink},
                                                {m_clear, Str::ComposerClearFormatting}};
    for (const auto& [action, caption] : actions)
        action->setText(s.value(caption));
    m_font->setToolTip(tip(s.value(Str::FontName)));
    m_size->setToolTip(tip(s.value(Str::FontSize)));
    m_colour->setToolTip(tip(s.value(Str::FontColour)));
    const QList<QAction*> colourItems = m_colours->actions();
    for (qsizetype i = 0; i < colourItems.size(); ++i)
        colourItems.at(i)->setText(s.value(Colours[i].name));
    m_blockStyle->setItemText(0, s.value(Str::ComposerParagraph));
    for (int level = 1; level <= 6; ++level)
        m_blockStyle->setItemText(level, s.message(Str::ComposerHeading, QString::number(level)));
    m_take->setText(s.value(Str::ComposerTakeSelection));
    m_insert->setText(s.value(Str::FormInsertToCode));
}

void ComposerWindow::open()
{
    show();
    raise();
    activateWindow();
    m_edit->setFocus();
}

void ComposerWindow::mergeFormat(const QTextCharFormat& format)
{
    m_edit->mergeCurrentCharFormat(format);
    m_edit->setFocus();
}

void ComposerWindow::askLink()
{
    const QString current = m_edit->currentCharFormat().anchorHref();
    const std::optional<QString> address =
        m_context.prompter.input(m_context.strings.value(Str::ComposerLinkAddress),
                                 m_context.strings.value(Str::TextEditor), current);
    if (address && !address->trimmed().isEmpty())
        m_edit->setLink(address->trimmed());
    m_edit->setFocus();
}

void ComposerWindow::askColour()
{
    const std::optional<QString> answer = m_context.prompter.input(
        m_context.strings.value(Str::FontColour), m_context.strings.value(Str::TextEditor),
        m_edit->textColor().name().mid(1).toUpper());
    // Six hexadecimal digits, with or without "#"; anything else leaves the colour alone.
    static const QRegularExpression rrggbb(QStringLiteral("^#?([0-9A-Fa-f]{6})$"));
    const QRegularExpressionMatch match = rrggbb.match(answer.value_or(QString()).trimmed());
    if (match.hasMatch()) {
        QTextCharFormat format;
        format.setForeground(QColor(QLatin1Char('#') + match.captured(1)));
        mergeFormat(format);
    }
    m_edit->setFocus();
}

void ComposerWindow::showCharFormat(const QTextCharFormat& format)
{
    m_bold->setChecked(format.fontWeight() >= QFont::DemiBold);
    m_italic->setChecked(format.fontItalic());
    m_underline->setChecked(format.fontUnderline());
    m_strikeOut->setChecked(format.fontStrikeOut());
    const QStringList families = format.fontFamilies().toStringList();
    m_font->setCurrentFont(families.isEmpty() ? m_edit->document()->defaultFont()
                                              : QFont(families.first()));
    const qreal points = format.hasProperty(QTextFormat::FontPointSize)
                             ? format.fontPointSize()
                             : m_edit->document()->defaultFont().pointSizeF();
    const auto size =
        std::find(std::begin(ComposerEdit::SizePoints), std::end(ComposerEdit::SizePoints), points);
    m_size->setCurrentIndex(size == std::end(ComposerEdit::SizePoints)
                                ? -1
                                : static_cast<int>(size - std::begin(ComposerEdit::SizePoints)));
}

void ComposerWindow::showBlockFormat()
{
    const QTextCursor cursor = m_edit->textCursor();
    const Qt::Alignment align = m_edit->alignment();
    if (align & Qt::AlignHCenter)
        m_alignCenter->setChecked(true);
    else if (align & Qt::AlignJustify)
        m_justify->setChecked(true);
    else if (align & Qt::AlignRight)
        m_alignRight->setChecked(true);
    else
        m_alignLeft->setChecked(true);
    const QTextList* list = cursor.currentList();
    const QTextListFormat::Style style = list ? list->format().style() : QTextListFormat::Style{};
    m_bullets->setChecked(list && style == QTextListFormat::ListDisc);
    m_numbers->setChecked(list && style == QTextListFormat::ListDecimal);
    m_blockStyle->setCurrentIndex(std::clamp(cursor.blockFormat().headingLevel(), 0, 6));
}

bool ComposerWindow::documentOpen()
{
    if (m_context.document.isOpen())
        return true;
    m_context.prompter.message(m_context.strings.message(Str::OpenFileFirst),
                               Prompter::Icon::Exclamation);
    return false;
}

void ComposerWindow::takeSelection()
{
    if (!documentOpen())
        return;
    CurrentDocument& document = m_context.document;
    const QString selected = document.selectedText();
    if (selected.isEmpty())
        return;
    if (RichTextHtml::holdsCodeToDrop(selected)) {
        m_context.prompter.message(m_context.strings.value(Str::ComposerCannotTake),
                                   Prompter::Icon::Exclamation);
        return;
    }
    const FileKind::Kind kind = document.kind();
    m_edit->load(selected, kind == FileKind::Kind::Html || kind == FileKind::Kind::Php ||
                               RichTextHtml::looksLikeHtml(selected));
    m_edit->setFocus();
}

void ComposerWindow::insertToCode()
{
    if (!documentOpen())
        return;
    QString html = RichTextHtml::toHtml(*m_edit->document());
    if (html.isEmpty())
        return;
    // The last line's end is left to the document, so that markup put on an empty line
    // leaves no empty line behind it.
    html.chop(1);
    m_context.document.replaceSelection(html);
}

} // namespace Quillorn
