#pragma once

#include "preview/LocalServer.h"
#include "preview/PreviewCopy.h"

#include <QList>
#include <QObject>
#include <QTimer>

#include <optional>

namespace Quillorn {

class CurrentDocument;
class LangStrings;
class PreviewPane;
class PreviewPage;
class Prompter;
struct Settings;

// Shows the current document in the preview pane while the browser view is chosen: from its
// own file or a temporary copy, read from disk or through a local web server (one already
// answering, else PHP's built-in server started here and stopped with this object), and
// again after edits, saves and switches of document.
class Preview : public QObject {
    Q_OBJECT
public:
    struct Context {
        const Settings& settings;
        const LangStrings& strings;
        Prompter& prompter;
        CurrentDocument& document;
        PreviewPane* pane;
    };

    // How long typing has to pause before the page is shown again.
    static constexpr int RefreshDelayMs = 300;

    explicit Preview(const Context& context, QObject* parent = nullptr);

    // The browser view shows the current document; the code view removes the copy and empties
    // the pane.
    void setBrowserShown(bool shown);
    bool isBrowserShown() const { return m_shown; }

    // The text changed: the page is shown again once typing pauses.
    void documentEdited();
    // The current document was saved: a page shown from its own file is read again.
    void documentSaved();
    // Another document became the current one.
    void currentDocumentChanged();
    // The preview mode, server folder, server address or PHP changed: the server is looked for
    // again, and a page that shows is shown anew.
    void settingsChanged();

    // Shows the element of the current document that holds the caret in the browser view: once
    // the page is in, it is scrolled into view and outlined for a moment. The caller shows the
    // browser view.
    void revealCaret();

    // The temporary copy shown; empty while there is none.
    const QString& copyPath() const { return m_copy.path(); }

Q_SIGNALS:
    // Which web server the pages come through, or why none could be started; and what became
    // of finding an element in the code or the page.
    void statusTextChanged(const QString& text);
    // An element of the page was Ctrl+clicked and its start tag is selected in the code: the
    // code view is to be shown.
    void codeViewWanted();

private:
    void refresh();
    // Shows the document under `page`; tells the user when its copy cannot be written.
    void showPage(const PreviewPage& page);
    // The server's document folder: the settings' folder, else the document's own.
    QString serverFolder() const;
    // Finds or starts the server, then shows the document.
    void findServer();
    void serverAnswered(const QUrl& address, bool answering);
    void serverReady();
    void pageLoaded();
    void revealNow();
    // Selects the start tag at `start` in the code; says so when there is none.
    void showInCode(qint64 start);

    const Settings& m_settings;
    const LangStrings& m_strings;
    Prompter& m_prompter;
    CurrentDocument& m_document;
    PreviewPane* m_pane;
    PreviewCopy m_copy;
    LocalServer m_server;
    QTimer m_refresh;
    QString m_startedFolder; // the folder the started server hands out
    bool m_shown = false;
    bool m_loading = false; // a page asked for is not in yet
    // The starts of the elements around the caret, innermost first, while one is to be shown.
    std::optional<QList<qint64>> m_reveal;
    bool m_lookingForServer = false;
    // A server that could not be started is tried again when the user shows a page anew, not
    // after every edit.
    bool m_retryServer = false;
    // A copy that could not be written is told once, not after every pause in typing.
    bool m_failureTold = false;
};

} // namespace Quillorn
