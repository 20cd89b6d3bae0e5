#include "tags/TagToolbar.h"

#include "platform/LangStrings.h"
#include "tags/FontChooser.h"
#include "tags/ReferenceWindow.h"
#include "tags/ToolbarInserter.h"

#include <QAction>
#include <QFileInfo>
#include <QPainter>
#include <QPixmap>

#include <optional>
#include <utility>

namespace Quillorn {

TagToolbar::TagToolbar(TagTarget& target, Prompter& prompter, const LangStrings& strings,
                       const QString& appDir, QWidget* parent)
    : QToolBar(parent)
    , m_target(target)
    , m_prompter(prompter)
    , m_strings(strings)
    , m_appDir(appDir)
    , m_table(ToolbarAction::table())
{
    setObjectName(QStringLiteral("tagToolbar"));
    setIconSize(QSize(16, 16));
    for (int index = 0; index < m_table.size(); ++index) {
        auto* action = addAction(iconFor(index, m_table.at(index)), QString());
        action->setData(index);
        connect(action, &QAction::triggered, this, [this, index] { trigger(index); });
        m_actions.append(action);
    }
    applyCaptions();
}

void TagToolbar::setLanguage(const QString& language)
{
    m_language = language;
    applyCaptions();
    for (const QPointer<ReferenceWindow>& window : std::as_const(m_references)) {
        if (window)
            window->applyCaptions();
    }
}

void TagToolbar::applyCaptions()
{
    for (int index = 0; index < m_table.size(); ++index) {
        const QString tip = m_strings.value(m_table.at(index).toolTip);
        QAction* action = m_actions.at(index);
        // The overflow menu shows the text: an ampersand there is meant, not a shortcut.
        action->setText(QString(tip).replace(QLatin1Char('&'), QLatin1String("&&")));
        action->setToolTip(tip);
    }
}

QString TagToolbar::iconPath(const QString& appDir, int index)
{
    return appDir + QStringLiteral("icons/toolbar/") + QString::number(index) +
           QStringLiteral(".svg");
}

QIcon TagToolbar::iconFor(int index, const ToolbarAction& action) const
{
    const QString path = iconPath(m_appDir, index);
    if (QFileInfo::exists(path))
        return QIcon(path);
    // Without its picture a button still shows what it does.
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    QFont font = painter.font();
    font.setPixelSize(action.label.size() > 2 ? 8 : 11);
    painter.setFont(font);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, action.label);
    painter.end();
    return QIcon(pixmap);
}

void TagToolbar::setInsertionEnabled(bool enabled)
{
    m_insertionEnabled = enabled;
    for (int index = 0; index < m_table.size(); ++index) {
        if (m_table.at(index).kind != ToolbarAction::Kind::ReferenceTree)
            m_actions.at(index)->setEnabled(enabled);
    }
    for (const QPointer<ReferenceWindow>& window : std::as_const(m_references)) {
        if (window)
            window->setInsertionEnabled(enabled);
    }
}

bool TagToolbar::trigger(int index)
{
    if (index < 0 || index >= m_table.size() || !m_actions.at(index)->isEnabled())
        return false;
    const ToolbarAction& action = m_table.at(index);
    ToolbarInserter inserter(m_target, m_prompter, m_strings);
    bool done = false;
    switch (action.kind) {
    case ToolbarAction::Kind::ReferenceTree:
        openReference(action.text);
        return false;
    case ToolbarAction::Kind::Font: {
        const std::optional<FontChoice> choice = FontChooser::ask(window(), m_strings, m_lastFont);
        if (!choice)
            return false;
        m_lastFont = *choice;
        inserter.insertFont(*choice);
        done = true;
        break;
    }
    default:
        done = inserter.run(action);
        break;
    }
    if (done)
        Q_EMIT inserted(index);
    return done;
}

ReferenceWindow* TagToolbar::openReference(const QString& fileName)
{
    QPointer<ReferenceWindow>& open = m_references[fileName];
    if (open) {
        open->show();
        open->raise();
        open->activateWindow();
        return open;
    }
    open = ReferenceWindow::openReference(m_appDir + QStringLiteral("languages/") + fileName,
                                          m_language, m_target, m_strings, m_prompter, window());
    if (open)
        open->setInsertionEnabled(m_insertionEnabled);
    return open;
}

} // namespace Quillorn
