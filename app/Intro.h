#pragma once

#include <QTimer>
#include <QWidget>

class QLabel;

namespace Quillorn {

// The splash window the program starts with: the name fades in while the main window is
// prepared behind it; when its finish timer fires (or the user clicks or presses a key) it
// hands over to the main window.
class Intro : public QWidget {
    Q_OBJECT
public:
    static constexpr int StartOpacity = 20;
    static constexpr int OpacityStep = 4;
    static constexpr int FadeInterval = 10;
    static constexpr int LoadingInterval = 500;
    static constexpr int FinishDelay = 2500;
    static constexpr int WaitThreshold = 130;

    explicit Intro(QWidget* parent = nullptr);

    int opacity() const { return m_opacity; }
    QString loadingText() const;
    bool isFinished() const { return m_finished; }

    // The label's text for a tick count of the "Loading" timer: "Loading", "Loading.",
    // "Loading..", "Loading...", then one tick unchanged, then again.
    static QString loadingState(int tick);

    // Runs the finish steps now (once).
    void finish();

Q_SIGNALS:
    void finished();

protected:
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fadeStep();
    void loadingStep();

    QLabel* m_loading = nullptr;
    QTimer m_fade;
    QTimer m_loadingTimer;
    QTimer m_finish;
    int m_opacity = StartOpacity;
    int m_tick = 0;
    bool m_finished = false;
};

} // namespace Quillorn
