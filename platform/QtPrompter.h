#pragma once

#include "platform/Prompter.h"

#include <QPointer>
#include <QWidget>

namespace Quillorn {

// The prompter users see: Qt's message boxes, input box and file dialogs, owned by the
// window given with setParentWidget (the main window once it exists).
class QtPrompter : public Prompter {
public:
    void setParentWidget(QWidget* parent) { m_parent = parent; }

    void message(const QString& text, Icon icon, const QString& title) override;
    bool askYesNo(const QString& text, const QString& title) override;
    SaveChoice askSave(const QString& text, const QString& title) override;
    std::optional<QString> input(const QString& prompt, const QString& title,
                                 const QString& initial) override;
    QString openFileName(const QString& title, const QString& folder,
                         const QString& filter) override;
    QString saveFileName(const QString& title, const QString& proposedPath,
                         const QString& filter) override;
    QString folderName(const QString& title, const QString& startFolder) override;

private:
    QString windowTitle(const QString& title) const;

    QPointer<QWidget> m_parent;
};

} // namespace Quillorn
