#pragma once

#include <QList>
#include <QWebEnginePage>

#include <functional>

namespace Quillorn {

// The browser view's page: a script of its own, in every page it loads, reports the elements
// the user Ctrl+clicks, and an element can be brought into view with a brief outline. Elements
// are named by the byte positions the preview's copy gives their start tags (SourceMap). The
// script runs apart from the page's own scripts, which can neither see nor change it.
class PreviewWebPage : public QWebEnginePage {
    Q_OBJECT
public:
    explicit PreviewWebPage(QObject* parent = nullptr);

    // Scrolls the first of the elements that start at `starts` (innermost first) and that the
    // page shows into view and outlines it for a moment; `done` learns whether one was found.
    void reveal(const QList<qint64>& starts, const std::function<void(bool found)>& done);

Q_SIGNALS:
    // An element was Ctrl+clicked: its start, or -1 for an element the page's text does not
    // hold (made by PHP or by a script).
    void elementClicked(qint64 start);

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                  int lineNumber, const QString& sourceId) override;
};

} // namespace Quillorn
