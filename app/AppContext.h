#pragma once

#include "platform/LangStrings.h"
#include "platform/Prompter.h"
#include "platform/Settings.h"

#include <QString>

namespace Quillorn {

// What the editor's windows share for the life of the process: the program folder, the
// settings, the interface strings and the prompter. Made in main() (or by a test) and handed
// to the windows that need it.
struct AppContext {
    QString appDir; // with a trailing "/"
    Prompter& prompter;
    Settings settings;
    LangStrings strings;

    QString settingsPath() const { return appDir + QLatin1String("settings.dat"); }
    QString lastSessionPath() const { return appDir + QLatin1String("last_session.qlp"); }
    QString languagesDir() const { return appDir + QLatin1String("languages/"); }
    QString languageDir() const { return LangStrings::languageFolder(appDir, settings.language); }
    QString iconPath(const QString& name) const { return appDir + QLatin1String("icons/") + name; }
};

} // namespace Quillorn
