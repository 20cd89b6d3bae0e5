#pragma once

#include "app/AppContext.h"
#include "support/ScriptedPrompter.h"
#include "support/TestEnvironment.h"

namespace Quillorn::Test {

// What a main-window test stands on: a temporary program folder, a scripted prompter and the
// context made from them.
struct AppFixture {
    TestEnvironment env;
    ScriptedPrompter prompter;
    AppContext context{env.appDir(), prompter, {}, {}};

    // A document file below the program folder holding `bytes`; returns its full path.
    QString document(const QString& name, const QByteArray& bytes) const
    {
        env.writeFile(QLatin1String("docs/") + name, bytes);
        return env.path(QLatin1String("docs/") + name);
    }
};

} // namespace Quillorn::Test
