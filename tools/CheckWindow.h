#pragma once

#include "platform/FileFailure.h"
#include "platform/WorkFile.h"

#include <QWidget>

class QFrame;
class QPushButton;
class QStackedWidget;
class QTextBrowser;
class QUrl;
class QVariantAnimation;
class QWebEngineView;

namespace Quillorn {

class LangStrings;

// The window of a document check: a progress bar while the outside program runs, then its
// report as text, each line naming a place in the document being a link to it, or its output
// shown as a web page. It deletes itself when closed.
class CheckWindow : public QWidget {
    Q_OBJECT

public:
    // Captions come from `strings`, which outlives the window.
    explicit CheckWindow(const LangStrings& strings, QWidget* parent = nullptr);

    // Looks the captions up again (after a language change).
    void applyCaptions();

    // Fills `percent` (kept within 0..100) of the progress bar's track.
    void setProgress(int percent);

    // Starts the running stage and runs the bar from 0 to 100 % in a quarter of a second on
    // the event loop; progressDone() says when it is full.
    void animateProgress();

    // While running, Cancel is shown and Escape presses it; the caller ends the stage.
    void setRunning(bool running);

    // Shows `report` in the text view.
    void setReport(const QString& report);

    // Shows the browser view in place of the text view, or the other way round.
    void toggleBrowser();
    bool isBrowserShown() const;

    // Shows `text` as a page in the browser view, written to a new temporary file that takes
    // the place of the previous one. The failure when the file could not be written.
    FileFailure setHtml(const QString& text);

Q_SIGNALS:
    void progressDone();
    void cancelRequested();
    void lineActivated(int line, int column);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeFill();
    void escape();
    void openLink(const QUrl& url);
    void loadPage();

    const LangStrings& m_strings;
    QFrame* m_track = nullptr;
    QWidget* m_fill = nullptr;
    QVariantAnimation* m_animation = nullptr;
    QStackedWidget* m_views = nullptr;
    QTextBrowser* m_status = nullptr;
    QWebEngineView* m_web = nullptr; // made when first shown: the engine is costly
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    int m_percent = 0;
    WorkFile m_page; // the page shown, removed with the window or the next page
};

} // namespace Quillorn
