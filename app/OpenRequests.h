#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>

namespace Quillorn {

// Files other starts hand over, opened in batches one after another and never inside a
// prompt's event loop: requests that come while a prompt is open (one of their own or any
// other) wait until it closes. So a flood of requests cannot stack prompts without end.
class OpenRequests : public QObject {
    Q_OBJECT
public:
    // How often waiting requests look again whether the prompt has closed.
    static constexpr int RetryMs = 100;

    // `handler` opens a batch of files and brings the window to the front; an empty batch only
    // brings it to the front.
    using Handler = std::function<void(const QStringList& paths)>;
    explicit OpenRequests(Handler handler, QObject* parent = nullptr);

    // Queues `path`; an empty path asks only for the window.
    void add(const QString& path);
    // Requests wait until this is called: the main window is up and has opened its own files.
    void start();
    // No request is handled any more: the editor is stopping.
    void stop();

private:
    void handle();

    Handler m_handler;
    QStringList m_paths;
    QTimer m_timer;
    bool m_pending = false;
    bool m_started = false;
    bool m_stopped = false;
    bool m_handling = false;
};

} // namespace Quillorn
