#pragma once

#include "tags/FontChoice.h"
#include "tags/ToolbarAction.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QToolBar>

namespace Quillorn {

class LangStrings;
class Prompter;
class ReferenceWindow;
class TagTarget;

// The tag tool bar of the main window: one picture button per entry of the action table,
// inserting its snippet into the editor, opening the JavaScript reference or the font chooser.
class TagToolbar : public QToolBar {
    Q_OBJECT

public:
    // Pictures come from `appDir` + "icons/toolbar/<index>.svg", reference trees from
    // `appDir` + "languages/"; tool tips, prompts and the windows' captions from `strings`.
    TagToolbar(TagTarget& target, Prompter& prompter, const LangStrings& strings,
               const QString& appDir, QWidget* parent = nullptr);

    // The interface language, for reading reference trees written in its code page; the
    // captions are looked up again, since the strings changed with it.
    void setLanguage(const QString& language);

    static QString iconPath(const QString& appDir, int index);

    // With insertion off (no document to insert into) every button that inserts is disabled,
    // and so is inserting from the reference windows; the reference button still opens its
    // tree for reading.
    void setInsertionEnabled(bool enabled);

    // Runs the button at `index` as a click does. False when nothing was inserted (a prompt
    // cancelled, the font chooser closed, a window opened instead, the button disabled, an
    // index out of range).
    bool trigger(int index);

    QAction* actionAt(int index) const { return m_actions.value(index); }

    // Opens the reference tree `fileName` of the "languages" folder, or raises its window when
    // it is open already. Nothing when the file cannot be read (the user is told).
    ReferenceWindow* openReference(const QString& fileName);

Q_SIGNALS:
    // Button `index` put text into the editor.
    void inserted(int index);

private:
    QIcon iconFor(int index, const ToolbarAction& action) const;
    void applyCaptions();

    TagTarget& m_target;
    Prompter& m_prompter;
    const LangStrings& m_strings;
    QString m_appDir;
    QString m_language;
    QList<ToolbarAction> m_table;
    QList<QAction*> m_actions;
    QHash<QString, QPointer<ReferenceWindow>> m_references;
    FontChoice m_lastFont;
    bool m_insertionEnabled = true;
};

} // namespace Quillorn
