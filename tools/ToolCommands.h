#pragma once

#include "platform/WorkFile.h"
#include "tools/ProcessRunner.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>

namespace Quillorn {

class CheckWindow;
class CurrentDocument;
class LangStrings;
class Prompter;
struct Settings;

// The Tidy and PHP commands: each runs its outside program on the current document without
// blocking the window, then shows the result in the check window or puts it into the document
// as one undo step. A missing, failing or stopped program never changes the document, and the
// user is told why.
class ToolCommands : public QObject {
    Q_OBJECT
public:
    enum class TidyCommand { Correct, UpperCase, ToXml, ToXhtml, ToHtml };
    enum class PhpCommand { Execute, Check, Highlight, Compact };

    struct Context {
        QString appDir; // with a trailing "/"
        const Settings& settings;
        const LangStrings& strings;
        Prompter& prompter;
        CurrentDocument& document;
        QWidget* window; // the check window's parent
    };

    explicit ToolCommands(const Context& context, QObject* parent = nullptr);

    // "plug-ins/tidy/tidy" in the program folder when it is there, else "tidy" on the PATH;
    // empty when neither is.
    static QString tidyProgram(const QString& appDir);
    // The command lines of the checks: Tidy's report on the page at `path`, and PHP's syntax
    // check of the script at `path`.
    static QString tidyCheckCommand(const QString& tidy, const QString& path);
    static QString phpCheckCommand(const QString& php, const QString& path);

    // Checks the document with Tidy and shows Tidy's report in the check window.
    void checkDocument();
    // Passes the document through Tidy and puts Tidy's page in its place.
    void convert(TidyCommand command);
    // Runs PHP on the document's file (Compact: on its text as shown) and shows the result.
    void runPhp(PhpCommand command);

    // From a command's start until its result is in.
    bool isBusy() const { return static_cast<bool>(m_handler); }
    // Ends the running command: its program, or its start while the progress bar runs.
    void cancel();
    // The check window while it is open.
    CheckWindow* checkWindow() const;

Q_SIGNALS:
    // A status-line text while a program runs without the check window; when it ends, empty or
    // a few words on the check that ran.
    void statusChanged(const QString& text);
    // A command has ended, with whatever result.
    void done();

private:
    using Handler = std::function<void(const RunResult&)>;

    CheckWindow* showCheckWindow();
    // Starts `commandLine`, after the progress bar has filled when `window` is given; runs
    // `handler` with the result once the program has ended.
    void run(const QString& commandLine, const RunOptions& options, CheckWindow* window,
             Handler handler);
    void finishRun(const RunResult& result);
    void convertWith(TidyCommand command, const QString& tidy);
    // Puts `converted` in place of `original` unless the document changed meanwhile.
    void replaceDocument(quint64 id, const QByteArray& original, const QByteArray& converted,
                         const QString& name);
    // Shows a program's messages when it gave no document, and says why.
    void reportNoDocument(const RunResult& result, const QString& name);
    // A copy of `bytes` for the program to read, in `folder` when it can be written, else in
    // the user's own temporary folder; false with a message when it could not be written.
    bool writeWorkFile(const QString& folder, const QByteArray& bytes);
    // Marks the lines of the checked document that `report` names, and says how it went once
    // the run is over.
    void markLines(const QString& report);
    // Why a run gave no result; empty when it finished.
    QString failureText(const RunResult& result, const QString& name) const;
    void tell(const QString& text);

    Context m_context;
    ProcessRunner m_runner;
    RunOptions m_options;
    Handler m_handler;
    WorkFile m_workFile;
    QMetaObject::Connection m_pendingStart; // the start that waits for the progress bar
    bool m_busyCursor = false;
    QPointer<CheckWindow> m_checkWindow;
    quint64 m_checkedId = 0;            // the document the report's links lead to
    QString m_endStatus;                // the status line's text once the running command ends
    std::optional<QString> m_generator; // of the Tidy in use, learned on first conversion
};

} // namespace Quillorn
