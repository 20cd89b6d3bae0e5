#pragma once

#include <QRect>

class QWidget;

namespace Quillorn {

// Where the program's tool windows and dialogs open: centred over their parent window and kept
// inside the available area of that window's screen, so that none opens partly off the screen.
class WindowPlacement {
public:
    // The frame of a window of `frameSize` centred on `parentFrame` and moved inside
    // `available`; a window larger than `available` is cut to its size and starts at its top
    // left, so that its title bar can be reached.
    static QRect placed(const QRect& parentFrame, const QSize& frameSize, const QRect& available);

    // Moves `window` to where placed() puts it over its parent window; centred on its screen
    // while the parent window is hidden. A window without a parent stays where it is.
    static void placeOverParent(QWidget* window);

    // Places `window` by placeOverParent() whenever the program shows it.
    static void keepOverParent(QWidget* window);
};

} // namespace Quillorn
