#pragma once

#include "platform/Prompter.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace Quillorn::Test {

// A prompter that answers from a script: each expected prompt names its kind, a piece of
// its text and the answer. An unexpected prompt, or one that does not match the next
// expectation, is recorded as an error; so is an expectation left unanswered. Tests check
// `QVERIFY2(prompter.finished(), qPrintable(prompter.errors()))` at their end.
class ScriptedPrompter : public Prompter {
public:
    enum class Kind { Message, YesNo, Save, Input, OpenFile, SaveFile, Folder };

    // Expect a message whose text contains `textPart`.
    ScriptedPrompter& expectMessage(const QString& textPart, Icon icon = Icon::Information);
    ScriptedPrompter& expectYesNo(const QString& textPart, bool yes);
    ScriptedPrompter& expectSave(const QString& textPart, SaveChoice choice);
    // Input answered with `answer`; a null answer cancels.
    ScriptedPrompter& expectInput(const QString& textPart, const QString& answer);
    // File and folder dialogs: `textPart` is matched against the filter (file dialogs) or the
    // title (folder); an empty answer cancels.
    ScriptedPrompter& expectOpenFile(const QString& textPart, const QString& answer);
    ScriptedPrompter& expectSaveFile(const QString& textPart, const QString& answer);
    ScriptedPrompter& expectFolder(const QString& textPart, const QString& answer);

    // True when every expectation was met and nothing unexpected was asked.
    bool finished() const;
    QString errors() const;

    // Every prompt shown so far, as "kind: text", for tests that check what was asked.
    const QStringList& shown() const { return m_shown; }
    // The proposed path or start folder the last file or folder dialog was opened with.
    const QString& lastProposedPath() const { return m_lastProposedPath; }

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
    struct Expectation {
        Kind kind;
        QString textPart;
        Icon icon = Icon::Information;
        bool yes = false;
        SaveChoice choice = SaveChoice::Cancel;
        QString answer;
    };

    // The next expectation when it matches `kind` and `text`; records an error otherwise.
    std::optional<Expectation> take(Kind kind, const QString& text);

    QList<Expectation> m_queue;
    QStringList m_errors;
    QStringList m_shown;
    QString m_lastProposedPath;
};

} // namespace Quillorn::Test
