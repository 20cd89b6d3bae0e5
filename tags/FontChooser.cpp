#include "tags/FontChooser.h"

#include "platform/LangStrings.h"
#include "platform/WindowPlacement.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace Quillorn {

namespace {

// The sixteen colours every browser names, offered as one-click swatches.
struct Swatch {
    const char* hex;
    Str name;
};
constexpr Swatch kSwatches[] = {
    {"000000", Str::ColourBlack},  {"808080", Str::ColourGray},   {"C0C0C0", Str::ColourSilver},
    {"FFFFFF", Str::ColourWhite},  {"800000", Str::ColourMaroon}, {"FF0000", Str::ColourRed},
    {"808000", Str::ColourOlive},  {"FFFF00", Str::ColourYellow}, {"008000", Str::ColourGreen},
    {"00FF00", Str::ColourLime},   {"008080", Str::ColourTeal},   {"00FFFF", Str::ColourAqua},
    {"000080", Str::ColourNavy},   {"0000FF", Str::ColourBlue},   {"800080", Str::ColourPurple},
    {"FF00FF", Str::ColourFuchsia}};

// Font sizes of the font element, 1 (smallest) to 7; 3 is the browser's normal text.
constexpr int kSmallestSize = 1;
constexpr int kLargestSize = 7;
constexpr int kNormalSize = 3;

QColor colorFromHex(const QString& hex)
{
    return QColor(QLatin1Char('#') + hex);
}

} // namespace

FontChooser::FontChooser(const LangStrings& strings, QWidget* parent)
    : QDialog(parent)
    , m_name(new QFontComboBox(this))
    , m_size(new QComboBox(this))
    , m_color(new QLineEdit(this))
    , m_bold(new QCheckBox(strings.value(Str::FontBold), this))
    , m_italic(new QCheckBox(strings.value(Str::FontItalic), this))
    , m_underline(new QCheckBox(strings.value(Str::FontUnderline), this))
    , m_strikeOut(new QCheckBox(strings.value(Str::FontStrikeOut), this))
    , m_sample(new QLabel(QStringLiteral("AaBbYyZz 123"), this))
    , m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setWindowTitle(strings.value(Str::FontTitle));
    WindowPlacement::keepOverParent(this);
    m_name->setObjectName(QStringLiteral("name"));
    m_size->setObjectName(QStringLiteral("size"));
    m_color->setObjectName(QStringLiteral("color"));
    m_bold->setObjectName(QStringLiteral("bold"));
    m_italic->setObjectName(QStringLiteral("italic"));
    m_underline->setObjectName(QStringLiteral("underline"));
    m_strikeOut->setObjectName(QStringLiteral("strikeOut"));
    m_sample->setObjectName(QStringLiteral("sample"));

    m_size->setEditable(true);
    for (int size = kSmallestSize; size <= kLargestSize; ++size)
        m_size->addItem(QString::number(size));
    m_size->setCurrentText(QString::number(kNormalSize));

    m_color->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9A-Fa-f]{0,6}")), m_color));
    m_color->setMaxLength(6);
    m_color->setText(QStringLiteral("000000"));

    auto* swatches = new QGridLayout;
    swatches->setSpacing(2);
    int column = 0;
    for (const auto& [hex, name] : kSwatches) {
        auto* swatch = new QPushButton(this);
        swatch->setFixedSize(18, 18);
        // A swatch shows no text: its name tells the colour to a screen reader and in its tip.
        swatch->setAccessibleName(strings.value(name));
        swatch->setToolTip(strings.value(name));
        swatch->setStyleSheet(QStringLiteral("background-color: #%1; border: 1px solid gray;")
                                  .arg(QLatin1String(hex)));
        connect(swatch, &QPushButton::clicked, this,
                [this, hex = hex] { m_color->setText(QLatin1String(hex)); });
        swatches->addWidget(swatch, column / 8, column % 8);
        ++column;
    }

    auto* form = new QFormLayout;
    form->addRow(strings.value(Str::FontName), m_name);
    form->addRow(strings.value(Str::FontSize), m_size);
    form->addRow(strings.value(Str::FontColour), m_color);
    form->addRow(QString(), swatches);
    auto* styles = new QHBoxLayout;
    styles->addWidget(m_bold);
    styles->addWidget(m_italic);
    styles->addWidget(m_underline);
    styles->addWidget(m_strikeOut);
    form->addRow(strings.value(Str::FontStyle), styles);

    m_sample->setMinimumHeight(48);
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setFrameShape(QFrame::StyledPanel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_sample);
    layout->addWidget(m_buttons);

    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_name, &QFontComboBox::currentFontChanged, this, &FontChooser::updateSample);
    connect(m_size, &QComboBox::currentTextChanged, this, &FontChooser::updateSample);
    connect(m_color, &QLineEdit::textChanged, this, &FontChooser::updateSample);
    for (QCheckBox* box : {m_bold, m_italic, m_underline, m_strikeOut})
        connect(box, &QCheckBox::toggled, this, &FontChooser::updateSample);
    updateSample();
}

void FontChooser::setChoice(const FontChoice& choice)
{
    if (!choice.name.isEmpty())
        m_name->setCurrentFont(QFont(choice.name));
    if (!choice.size.isEmpty())
        m_size->setCurrentText(choice.size);
    m_color->setText(choice.colorHex());
    m_bold->setChecked(choice.bold);
    m_italic->setChecked(choice.italic);
    m_underline->setChecked(choice.underline);
    m_strikeOut->setChecked(choice.strikeOut);
}

FontChoice FontChooser::choice() const
{
    FontChoice c;
    c.name = m_name->currentText().trimmed();
    c.size = m_size->currentText().trimmed();
    c.color = colorFromHex(m_color->text());
    c.bold = m_bold->isChecked();
    c.italic = m_italic->isChecked();
    c.underline = m_underline->isChecked();
    c.strikeOut = m_strikeOut->isChecked();
    return c;
}

void FontChooser::updateSample()
{
    // Only a complete colour and a font name make a usable element.
    const bool complete = m_color->text().size() == 6 && !m_name->currentText().trimmed().isEmpty();
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(complete);

    QFont font = m_name->currentFont();
    bool isNumber = false;
    const int size = m_size->currentText().toInt(&isNumber);
    // The element's sizes map roughly onto points: 3 is normal text.
    static constexpr int kPoints[] = {8, 10, 12, 14, 18, 24, 36};
    if (isNumber && size >= kSmallestSize && size <= kLargestSize)
        font.setPointSize(kPoints[size - 1]);
    font.setBold(m_bold->isChecked());
    font.setItalic(m_italic->isChecked());
    font.setUnderline(m_underline->isChecked());
    font.setStrikeOut(m_strikeOut->isChecked());
    m_sample->setFont(font);
    QPalette palette = m_sample->palette();
    if (m_color->text().size() == 6)
        palette.setColor(QPalette::WindowText, colorFromHex(m_color->text()));
    m_sample->setPalette(palette);
}

std::optional<FontChoice> FontChooser::ask(QWidget* parent, const LangStrings& strings,
                                           const FontChoice& initial)
{
    FontChooser chooser(strings, parent);
    chooser.setChoice(initial);
    if (chooser.exec() != QDialog::Accepted)
        return std::nullopt;
    return chooser.choice();
}

} // namespace Quillorn
