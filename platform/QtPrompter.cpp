#include "platform/QtPrompter.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace Quillorn {

QString QtPrompter::windowTitle(const QString& title) const
{
    // A message box without a title still needs a window title on this desktop.
    return title.isEmpty() ? QStringLiteral("Quillorn") : title;
}

void QtPrompter::message(const QString& text, Icon icon, const QString& title)
{
    QMessageBox::Icon boxIcon = QMessageBox::Information;
    if (icon == Icon::Exclamation)
        boxIcon = QMessageBox::Warning;
    else if (icon == Icon::Critical)
        boxIcon = QMessageBox::Critical;
    QMessageBox box(boxIcon, windowTitle(title), text, QMessageBox::Ok, m_parent);
    box.exec();
}

bool QtPrompter::askYesNo(const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::Warning, windowTitle(title), text,
                    QMessageBox::Yes | QMessageBox::No, m_parent);
    return box.exec() == QMessageBox::Yes;
}

Prompter::SaveChoice QtPrompter::askSave(const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::Warning, windowTitle(title), text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, m_parent);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveChoice::Save;
    case QMessageBox::Discard:
        return SaveChoice::Discard;
    default:
        return SaveChoice::Cancel;
    }
}

std::optional<QString> QtPrompter::input(const QString& prompt, const QString& title,
                                         const QString& initial)
{
    bool ok = false;
    const QString text = QInputDialog::getText(m_parent, windowTitle(title), prompt,
                                               QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

QString QtPrompter::openFileName(const QString& title, const QString& folder, const QString& filter)
{
    return QFileDialog::getOpenFileName(m_parent, windowTitle(title), folder, filter);
}

QString QtPrompter::saveFileName(const QString& title, const QString& proposedPath,
                                 const QString& filter)
{
    return QFileDialog::getSaveFileName(m_parent, windowTitle(title), proposedPath, filter);
}

QString QtPrompter::folderName(const QString& title, const QString& startFolder)
{
    return QFileDialog::getExistingDirectory(m_parent, windowTitle(title), startFolder);
}

} // namespace Quillorn
