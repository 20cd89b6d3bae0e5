#pragma once

#include "support/AppFixture.h"

#include <QByteArray>
#include <QSize>
#include <QString>

class QWidget;

namespace Quillorn {
class MainWindow;
}

namespace Quillorn::Test {

// Drives the assembled main window as a user does: shows it, opens through the Open dialog,
// clicks tabs and types.
class MainWindowDriver {
public:
    // Shows and activates the window (at `size` when given); false when it never appeared.
    static bool show(MainWindow& window, QSize size = {});
    // "Main" > "Open", the dialog answered with `path`.
    static void openThroughDialog(AppFixture& fixture, MainWindow& window, const QString& path);
    static void clickTab(MainWindow& window, int index);
    // Types `text` character by character (non-ASCII included) into `widget`.
    static void typeText(QWidget* widget, const QString& text);
    static QByteArray fileBytes(const QString& path);
};

} // namespace Quillorn::Test
