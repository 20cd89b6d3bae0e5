#pragma once

#include "support/AppFixture.h"

#include <QByteArray>
#include <QSize>
#include <QString>

#include <functional>

class QMessageBox;
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
    // Calls `act` once a real message box is the open prompt, looking every 10 ms; `act` has
    // to close it. A box that never comes leaves `act` uncalled (the test fails waiting for
    // its outcome); boxes still open after that are rejected, so a test cannot hang on them.
    static void whenMessageBoxShows(std::function<void(QMessageBox*)> act);
};

} // namespace Quillorn::Test
