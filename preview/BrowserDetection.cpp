#include "preview/BrowserDetection.h"

#include "platform/Settings.h"

#include <QStandardPaths>

#include <algorithm>

namespace Quillorn {

namespace {
// A browser takes the document's path as its only argument, on the topic every browser serves.
const QString Message = QStringLiteral("%1");
const QString Division = QStringLiteral("WWW_OpenURL");
} // namespace

const QList<BrowserDetection::Browser>& BrowserDetection::browsers()
{
    // "FireFox" and "Opera" are the application names older settings files already use, so
    // an entry written there is recognised and not added twice.
    static const QList<Browser> table{
        {QStringLiteral("Firefox"), QStringLiteral("FireFox"), {"firefox", "firefox-esr"}},
        {QStringLiteral("Chromium"), QStringLiteral("Chromium"), {"chromium", "chromium-browser"}},
        {QStringLiteral("Google Chrome"),
         QStringLiteral("Chrome"),
         {"google-chrome", "google-chrome-stable"}},
        {QStringLiteral("Opera"), QStringLiteral("Opera"), {"opera"}},
        {QStringLiteral("Epiphany"), QStringLiteral("Epiphany"), {"epiphany", "epiphany-browser"}},
        {QStringLiteral("Falkon"), QStringLiteral("Falkon"), {"falkon"}},
        {QStringLiteral("Konqueror"), QStringLiteral("Konqueror"), {"konqueror"}},
        {QStringLiteral("Vivaldi"), QStringLiteral("Vivaldi"), {"vivaldi", "vivaldi-stable"}},
        {QStringLiteral("Brave"), QStringLiteral("Brave"), {"brave-browser", "brave"}},
    };
    return table;
}

int BrowserDetection::detect(Settings& settings)
{
    int added = 0;
    for (const Browser& browser : browsers()) {
        const auto& present = settings.externalPrograms;
        if (std::any_of(present.begin(), present.end(), [&](const ExternalProgram& entry) {
                return entry.program == browser.program;
            }))
            continue;
        for (const QString& executable : browser.executables) {
            const QString path = QStandardPaths::findExecutable(executable);
            if (path.isEmpty())
                continue;
            settings.addExternalProgram(
                ExternalProgram{browser.name, Message, browser.program, path, Division});
            ++added;
            break;
        }
    }
    return added;
}

} // namespace Quillorn
