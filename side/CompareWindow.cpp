#include "side/CompareWindow.h"

#include "platform/LangStrings.h"
#include "platform/WindowPlacement.h"

#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

namespace Quillorn {

namespace {

// "  12    14  text": the line's numbers on disk and in the editor, then its mark.
QString numbered(const LineDiff::Line& line, int width)
{
    const auto number = [width](int n) {
        return n > 0 ? QString::number(n).rightJustified(width) : QString(width, QLatin1Char(' '));
    };
    QChar mark = QLatin1Char(' ');
    if (line.kind == LineDiff::Kind::Removed)
        mark = QLatin1Char('-');
    else if (line.kind == LineDiff::Kind::Added)
        mark = QLatin1Char('+');
    return number(line.oldNumber) + QLatin1Char(' ') + number(line.newNumber) + QLatin1Char(' ') +
           mark + QLatin1Char(' ') + line.text;
}

} // namespace

CompareWindow::CompareWindow(QWidget* parent)
    : QDialog(parent)
    , m_legend(new QLabel(this))
    , m_view(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("CompareWindow"));
    m_legend->setWordWrap(true);
    m_view->setReadOnly(true);
    m_view->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_legend);
    layout->addWidget(m_view);
    resize(760, 520);
    WindowPlacement::keepOverParent(this);
}

void CompareWindow::show(const LangStrings& strings, const QString& path,
                         const LineDiff::Result& result)
{
    setWindowTitle(strings.message(Str::CompareTitle, path));
    QString legend = strings.value(Str::CompareLegend);
    if (result.approximate)
        legend += QLatin1Char(' ') + strings.value(Str::CompareTooDifferent);
    m_legend->setText(legend);

    int largest = 1;
    for (const LineDiff::Line& line : result.lines)
        largest = std::max({largest, line.oldNumber, line.newNumber});
    const int width = int(QString::number(largest).size());
    QStringList text;
    text.reserve(result.lines.size());
    for (const LineDiff::Line& line : result.lines)
        text.append(line.kind == LineDiff::Kind::Skipped ? QStringLiteral("...")
                                                         : numbered(line, width));
    m_view->setPlainText(text.join(QLatin1Char('\n')));

    // Removed lines on a red ground, added ones on a green one.
    QList<QTextEdit::ExtraSelection> marks;
    QTextBlock block = m_view->document()->firstBlock();
    for (const LineDiff::Line& line : result.lines) {
        if (line.kind == LineDiff::Kind::Removed || line.kind == LineDiff::Kind::Added) {
            QTextEdit::ExtraSelection mark;
            mark.cursor = QTextCursor(block);
            mark.format.setBackground(line.kind == LineDiff::Kind::Removed ? QColor(255, 220, 220)
                                                                           : QColor(220, 255, 220));
            mark.format.setProperty(QTextFormat::FullWidthSelection, true);
            marks.append(mark);
        }
        block = block.next();
    }
    m_view->setExtraSelections(marks);
    QDialog::show();
    raise();
    activateWindow();
}

QString CompareWindow::listing() const
{
    return m_view->toPlainText();
}

} // namespace Quillorn
