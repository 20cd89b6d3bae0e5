// What printing a 1 MB page costs: Main > Print without a printer lays the document out on
// pages and writes them to a PDF file, every page message answered at once. Prints the time
// from the command to the written file and the longest the event loop had to wait meanwhile,
// seen by a timer that asks every 10 ms. The processor time is printed too: on a busy machine
// the time on the clock says more about the other programs.

#include "app/FileCommands.h"
#include "app/MainWindow.h"
#include "bench/support/BenchFigures.h"
#include "support/MainWindowDriver.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>

using namespace Quillorn;
using Quillorn::Bench::msSince;

namespace {

// Answers every prompt at once: OK to messages (counted), `pdf` to the save dialog.
class AnsweringPrompter : public Prompter {
public:
    explicit AnsweringPrompter(QString pdf)
        : m_pdf(std::move(pdf))
    {
    }

    int messages() const { return m_messages; }

    void message(const QString&, Icon, const QString&) override { ++m_messages; }
    bool askYesNo(const QString&, const QString&) override { return false; }
    SaveChoice askSave(const QString&, const QString&) override { return SaveChoice::Discard; }
    std::optional<QString> input(const QString&, const QString&, const QString&) override
    {
        return std::nullopt;
    }
    QString openFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&) override { return m_pdf; }
    QString folderName(const QString&, const QString&) override { return {}; }

private:
    QString m_pdf;
    int m_messages = 0;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (!QPrinterInfo::availablePrinters().isEmpty()) {
        std::printf("A printer is installed: Print would show the print dialog. This bench "
                    "measures printing to a PDF file, without a printer.\n");
        return 1;
    }
    Test::TestEnvironment env;
    AnsweringPrompter prompter(env.path(QStringLiteral("page.pdf")));
    AppContext context{env.appDir(), prompter, {}, {}};
    MainWindow window(context);
    Test::MainWindowDriver::show(window);
    env.writeFile(QStringLiteral("page.html"), Bench::generateDocument(1 << 20));
    window.files().openDocument(env.path(QStringLiteral("page.html")), false);

    double longestGap = 0;
    QElapsedTimer sinceTick;
    QTimer ticker;
    ticker.setInterval(10);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, msSince(sinceTick));
        sinceTick.start();
    });
    const int messagesBefore = prompter.messages();
    ticker.start();
    sinceTick.start();
    QElapsedTimer total;
    total.start();
    const std::clock_t processorStart = std::clock();
    window.menus().prnt->trigger();
    const double totalMs = msSince(total);
    const double processorMs = double(std::clock() - processorStart) * 1000 / CLOCKS_PER_SEC;
    longestGap = std::max(longestGap, msSince(sinceTick));

    // The messages: the note that the pages go to a PDF file, then one before each page after
    // the first.
    const int pages = prompter.messages() - messagesBefore;
    const qint64 size = QFileInfo(env.path(QStringLiteral("page.pdf"))).size();
    std::printf("print a 1 MB page to PDF:        %8.1f ms (%.1f ms of processor time; %d pages, "
                "%lld KiB of PDF)\n",
                totalMs, processorMs, pages, static_cast<long long>(size / 1024));
    std::printf("longest wait of the event loop:  %8.1f ms\n", longestGap);
    return size > 0 ? 0 : 1;
}
