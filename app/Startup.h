#pragma once

#include "app/AppContext.h"
#include "app/Intro.h"
#include "app/MainWindow.h"

#include <QObject>
#include <QPointer>

namespace Quillorn {

class SignalWatcher;

// The life of the editor process: the splash first, the main window prepared behind it,
// shown when the splash finishes, and the orderly stop on a stop signal.
class Startup : public QObject {
    Q_OBJECT
public:
    explicit Startup(AppContext& context, QObject* parent = nullptr);
    ~Startup() override;

    // Shows the splash and loads the main window behind it; `commandLine` is opened once the
    // main window shows.
    void start(const QString& commandLine);

    // What the main window opens first: the file named on the command line (trimmed), else the
    // last session when `openLastSession` is on, else nothing.
    static QString initialOpen(const QString& commandLine, bool openLastSession,
                               const QString& lastSessionPath);

    MainWindow* mainWindow() const { return m_main; }
    Intro* intro() const { return m_intro; }

Q_SIGNALS:
    void mainWindowShown();

private:
    void finishSplash();
    void stop(int signalNumber);

    AppContext& m_context;
    QPointer<Intro> m_intro;
    QPointer<MainWindow> m_main;
    SignalWatcher* m_signals = nullptr;
    QString m_commandLine;
};

} // namespace Quillorn
