#include "platform/WindowPlacement.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace Quillorn {

namespace {

// Places the window it watches each time the program shows it; a show the window system
// makes (a restore after minimising) leaves the window where the user had it.
class PlaceWhenShown : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && !event->spontaneous())
            WindowPlacement::placeOverParent(static_cast<QWidget*>(watched));
        return false;
    }
};

} // namespace

QRect WindowPlacement::placed(const QRect& parentFrame, const QSize& frameSize,
                              const QRect& available)
{
    const QSize size = frameSize.boundedTo(available.size());
    const int x = parentFrame.x() + (parentFrame.width() - size.width()) / 2;
    const int y = parentFrame.y() + (parentFrame.height() - size.height()) / 2;
    return {std::clamp(x, available.left(), available.left() + available.width() - size.width()),
            std::clamp(y, available.top(), available.top() + available.height() - size.height()),
            size.width(), size.height()};
}

void WindowPlacement::placeOverParent(QWidget* window)
{
    const QWidget* parent = window->parentWidget() ? window->parentWidget()->window() : nullptr;
    if (!parent)
        return;
    const QRect available = parent->screen()->availableGeometry();
    const QRect frame = window->frameGeometry();
    const QRect target =
        placed(parent->isVisible() ? parent->frameGeometry() : available, frame.size(), available);
    if (target.size() != frame.size())
        window->resize(target.size() - (frame.size() - window->size()));
    window->move(target.topLeft());
}

void WindowPlacement::keepOverParent(QWidget* window)
{
    window->installEventFilter(new PlaceWhenShown(window));
}

} // namespace Quillorn
