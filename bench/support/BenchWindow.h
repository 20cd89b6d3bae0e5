#pragma once

#include "app/MainWindow.h"
#include "support/AppFixture.h"
#include "support/MainWindowDriver.h"

namespace Quillorn::Bench {

// The program's main window, shown, over a test home of its own: what the benches of whole
// commands start from. open() puts a page in it the way a user does, through the Open dialog.
class BenchWindow {
public:
    BenchWindow() { Test::MainWindowDriver::show(window); }

    // Writes `page` as `name` among the home's documents and opens it; the file's path.
    QString open(const QByteArray& page, const QString& name = QStringLiteral("page.html"))
    {
        const QString path = fixture.document(name, page);
        Test::MainWindowDriver::openThroughDialog(fixture, window, path);
        return path;
    }

    Test::AppFixture fixture;
    MainWindow window{fixture.context};
};

} // namespace Quillorn::Bench
