#include "editing/FindWindow.h"

#include "platform/LangStrings.h"
#include "platform/Prompter.h"
#include "platform/WindowPlacement.h"

#include "component/QsciHeaders.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace Quillorn {

namespace {
// A selection longer than this is not offered as the word to search for.
constexpr int LongestOfferedWord = 200;
} // namespace

FindWindow::FindWindow(QsciScintilla* editor, const LangStrings& strings, Prompter& prompter,
                       QWidget* parent)
    : QWidget(parent, Qt::Tool)
    , m_editor(editor)
    , m_strings(strings)
    , m_prompter(prompter)
    , m_search(editor)
{
    setObjectName(QStringLiteral("FindF"));
    WindowPlacement::keepOverParent(this);

    m_wordLabel = new QLabel(this);
    m_word = new QLineEdit(this);
    m_word->setObjectName(QStringLiteral("Word"));
    m_wordLabel->setBuddy(m_word);
    m_replaceLabel = new QLabel(this);
    m_replacement = new QLineEdit(this);
    m_replacement->setObjectName(QStringLiteral("ReplaceWith"));
    m_replaceLabel->setBuddy(m_replacement);

    m_directionBox = new QGroupBox(this);
    m_all = new QRadioButton(m_directionBox);
    m_all->setObjectName(QStringLiteral("DirAll"));
    m_down = new QRadioButton(m_directionBox);
    m_down->setObjectName(QStringLiteral("DirDown"));
    m_up = new QRadioButton(m_directionBox);
    m_up->setObjectName(QStringLiteral("DirUp"));
    m_all->setChecked(true);
    auto* directions = new QHBoxLayout(m_directionBox);
    directions->addWidget(m_all);
    directions->addWidget(m_down);
    directions->addWidget(m_up);

    m_findNext = new QPushButton(this);
    m_findNext->setObjectName(QStringLiteral("FindNext"));
    m_findNext->setDefault(true);
    m_replace = new QPushButton(this);
    m_replace->setObjectName(QStringLiteral("ReplaceOne"));
    m_replaceAll = new QPushButton(this);
    m_replaceAll->setObjectName(QStringLiteral("ReplaceAll"));

    auto* fields = new QGridLayout;
    fields->addWidget(m_wordLabel, 0, 0);
    fields->addWidget(m_word, 0, 1);
    fields->addWidget(m_replaceLabel, 1, 0);
    fields->addWidget(m_replacement, 1, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_findNext);
    buttons->addWidget(m_replace);
    buttons->addWidget(m_replaceAll);
    buttons->addStretch();
    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addWidget(m_directionBox);
    left->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);

    connect(m_findNext, &QPushButton::clicked, this, &FindWindow::findNext);
    connect(m_replace, &QPushButton::clicked, this, &FindWindow::replaceOne);
    connect(m_replaceAll, &QPushButton::clicked, this, &FindWindow::replaceAll);
    connect(m_word, &QLineEdit::returnPressed, this, &FindWindow::findNext);
    applyCaptions();
}

void FindWindow::applyCaptions()
{
    const bool replacing = m_mode == Mode::Replace;
    setWindowTitle(replacing ? m_strings.value(Str::Replace, QStringLiteral("Replace"))
                             : m_strings.value(Str::Find, QStringLiteral("Find")));
    m_all->setText(m_strings.value(Str::FindAll, QStringLiteral("All")));
    m_down->setText(m_strings.value(Str::FindDown, QStringLiteral("Down")));
    m_up->setText(m_strings.value(Str::FindUp, QStringLiteral("Up")));
    m_wordLabel->setText(m_strings.value(Str::FindWord, QStringLiteral("Word:")));
    m_directionBox->setTitle(m_strings.value(Str::FindDirection, QStringLiteral("Find")));
    m_replaceLabel->setText(m_strings.value(Str::ReplaceWith, QStringLiteral("Replace:")));
    m_replace->setText(m_strings.value(Str::ReplaceButton, QStringLiteral("Replace")));
    m_replaceAll->setText(m_strings.value(Str::ReplaceAll, QStringLiteral("Replace all")));
    m_findNext->setText(m_strings.value(Str::FindNext, QStringLiteral("Find next")));
    m_replaceLabel->setVisible(replacing);
    m_replacement->setVisible(replacing);
    m_replace->setVisible(replacing);
    m_replaceAll->setVisible(replacing);
}

void FindWindow::open(Mode mode)
{
    m_mode = mode;
    applyCaptions();
    if (m_editor->hasSelectedText()) {
        const long length = m_editor->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONEND) -
                            m_editor->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART);
        if (length <= LongestOfferedWord) {
            const QString selected = m_editor->selectedText();
            if (!selected.contains(QLatin1Char('\n')) && !selected.contains(QLatin1Char('\r')))
                m_word->setText(selected);
        }
    }
    adjustSize();
    show();
    raise();
    activateWindow();
    m_word->setFocus();
    m_word->selectAll();
}

TextSearch::Direction FindWindow::direction() const
{
    if (m_down->isChecked())
        return TextSearch::Direction::Down;
    if (m_up->isChecked())
        return TextSearch::Direction::Up;
    return TextSearch::Direction::All;
}

void FindWindow::findNext()
{
    if (m_word->text().isEmpty())
        return;
    if (!m_search.findNext(m_word->text(), direction()))
        m_prompter.message(m_strings.value(Str::ThatsAll, QStringLiteral("That's all")));
}

void FindWindow::replaceOne()
{
    if (m_word->text().isEmpty())
        return;
    if (!m_search.replaceAndFindNext(m_word->text(), m_replacement->text(), direction()))
        m_prompter.message(m_strings.value(Str::ThatsAll, QStringLiteral("That's all")));
}

void FindWindow::replaceAll()
{
    if (m_word->text().isEmpty())
        return;
    const qint64 count = m_search.replaceAll(m_word->text(), m_replacement->text());
    QString text = m_strings.value(Str::CountOfChanges, QStringLiteral("Count of changes:"));
    if (!text.endsWith(QLatin1Char(' ')))
        text += QLatin1Char(' ');
    m_prompter.message(text + QString::number(count));
}

} // namespace Quillorn
