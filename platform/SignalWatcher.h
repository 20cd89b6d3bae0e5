#pragma once

#include <QObject>

class QSocketNotifier;

namespace Quillorn {

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal delivered on the event loop, so that a
// logout or `kill` runs the same orderly stop as closing the main window.
class SignalWatcher : public QObject {
    Q_OBJECT
public:
    explicit SignalWatcher(QObject* parent = nullptr);
    ~SignalWatcher() override;

Q_SIGNALS:
    void stopRequested(int signalNumber);

private:
    void readSignal();

    QSocketNotifier* m_notifier = nullptr;
};

} // namespace Quillorn
