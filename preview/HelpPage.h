#pragma once

#include "platform/WorkFile.h"

#include <QUrl>

#include <functional>
#include <vector>

namespace Quillorn {

class LangStrings;
class Prompter;

// The Help command: the language's help page written to a temporary page and handed to the
// user's default browser. The pages stay until this object goes, at exit.
class HelpPage {
public:
    // Shows a page; true when it could be shown.
    using Opener = std::function<bool(const QUrl&)>;

    // `opener` defaults to the desktop's own handler for the URL.
    HelpPage(const LangStrings& strings, Prompter& prompter, Opener opener = {});

    // Writes the help of `language` from the program folder `appDir` to a new page and opens
    // it; a help file that cannot be read is reported and nothing is opened.
    bool show(const QString& appDir, const QString& language);

private:
    const LangStrings& m_strings;
    Prompter& m_prompter;
    Opener m_opener;
    std::vector<WorkFile> m_pages;
};

} // namespace Quillorn
