#pragma once

#include "app/AppContext.h"
#include "app/Intro.h"
#include "app/MainWindow.h"
#include "app/OpenRequests.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

namespace Quillorn {

class SignalWatcher;

// The life of the editor process: the splash first, the main window prepared behind it,
// shown when the splash finishes, the files other starts hand over, and the orderly stop on a
// stop signal.
class Startup : public QObject {
    Q_OBJECT
public:
    explicit Startup(AppContext& context, QObject* parent = nullptr);
    ~Startup() override;

    // Loads the main window behind the splash, or without the splash shows it as soon as it is
    // loaded; `files` open once it shows.
    void start(const QStringList& files, bool splash = true);

    // A file another start handed over (empty when it had none): opened after this start's
    // own files and after any prompt that is open, with the window brought to the front.
    void takeRequest(const QString& path);

    MainWindow* mainWindow() const { return m_main; }
    Intro* intro() const { return m_intro; }

Q_SIGNALS:
    // The main window shows; its first files open right after.
    void mainWindowShown();

private:
    void finishSplash();
    void openRequested(const QStringList& paths);
    void stop(int signalNumber);
    void finishStop();

    AppContext& m_context;
    QPointer<Intro> m_intro;
    QPointer<MainWindow> m_main;
    SignalWatcher* m_signals = nullptr;
    OpenRequests* m_requests = nullptr;
    QStringList m_files;
    bool m_opening = false; // the main window has begun to open its first files
    bool m_stopping = false;
};

} // namespace Quillorn
