#pragma once

#include "platform/WorkFile.h"
#include "tools/ProcessRunner.h"

#include <QObject>

#include <deque>
#include <optional>

namespace Quillorn {

class CurrentDocument;
class LangStrings;
struct Settings;

// The check that follows each save while "Check after saving" is on: Tidy for HTML pages,
// PHP's syntax check for PHP documents when PHP is set, nothing for other kinds. It runs
// silently through the process runner (no check window, no progress bar, nothing waits for
// it): its result becomes the saved document's check marks, with a few words in the status
// line, and is dropped when that document was closed meanwhile.
class SaveCheck : public QObject {
    Q_OBJECT
public:
    struct Context {
        QString appDir; // with a trailing "/"
        const Settings& settings;
        const LangStrings& strings;
        CurrentDocument& document;
    };

    explicit SaveCheck(const Context& context, QObject* parent = nullptr);

    // The current document has just been saved: it is checked when the setting is on and its
    // kind has a check. A check asked for while another runs waits for it; a later save of the
    // same document takes the place of its waiting check.
    void documentSaved();
    bool isBusy() const { return m_running.has_value(); }

Q_SIGNALS:
    void statusChanged(const QString& text);
    // A check's result is in the document's margin, or the check failed.
    void checked();

private:
    struct Request {
        quint64 id = 0;
        QString name; // the program's name in messages
        QString commandLine;
        WorkFile input; // the page Tidy reads; PHP reads the saved file itself
    };

    // The check of the current document, or nothing for a kind without one.
    std::optional<Request> requestForCurrent();
    void startNext();
    void finish(const RunResult& result);

    Context m_context;
    ProcessRunner m_runner;
    RunOptions m_options;
    std::deque<Request> m_waiting;
    std::optional<Request> m_running;
};

} // namespace Quillorn
