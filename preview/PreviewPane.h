#pragma once

#include <QPoint>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QLineEdit;
class QToolButton;
class QWebEngineView;

namespace Quillorn {

class LangStrings;
class PreviewWebPage;

// The browser view beside the editor: a tool bar (Back, Forward, Refresh, the address box and
// Go) above the embedded browser, which is made only when the pane is first shown or loads a
// page, so that an editor that never previews never starts the engine; and the way between the
// page's elements and the code (Ctrl+click, and an element brought into view).
class PreviewPane : public QWidget {
    Q_OBJECT
public:
    explicit PreviewPane(QWidget* parent = nullptr);
    ~PreviewPane() override;

    // The tool bar's tips in the interface language.
    void setCaptions(const LangStrings& strings);

    // Loads `url`. When `pageKey` is not 0 and names the page shown before, the scroll position
    // is kept across the reload.
    void load(const QUrl& url, quint64 pageKey = 0);
    // Shows an empty page; forgets which page was shown.
    void clear();

    // The browser, or null before the pane was first used.
    QWebEngineView* view() const { return m_view; }
    // The address box's text.
    QString address() const;

    // Brings the first of the elements starting at `starts` (innermost first) that the page
    // shows into view, outlined for a moment; `done` learns whether there was one.
    void reveal(const QList<qint64>& starts, const std::function<void(bool found)>& done);

Q_SIGNALS:
    // A navigation ended (its address is in the address box by then).
    void loadFinished(bool ok);
    // Text for the window's status line, as the page gives it (the link under the mouse).
    void statusTextChanged(const QString& text);
    // An element was Ctrl+clicked: its start in the document's text, or -1 for one the text
    // does not hold.
    void elementClicked(qint64 start);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ensureView();
    void navigateToAddress();
    void finished(bool ok);

    QToolButton* m_back = nullptr;
    QToolButton* m_forward = nullptr;
    QToolButton* m_refresh = nullptr;
    QLineEdit* m_nav = nullptr;
    QToolButton* m_go = nullptr;
    QWebEngineView* m_view = nullptr;
    PreviewWebPage* m_page = nullptr;
    QString m_hovered; // the link under the mouse
    quint64 m_pageKey = 0;
    // Counts the loads asked for, so that a scroll position read for an earlier one is dropped.
    quint64 m_request = 0;
    std::optional<QPoint> m_scrollToRestore;
    // Cleared when the pane goes: the engine may answer a script while the view is destroyed.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

} // namespace Quillorn
