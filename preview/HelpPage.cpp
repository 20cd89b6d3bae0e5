#include "preview/HelpPage.h"

#include "platform/FileReader.h"
#include "platform/LangStrings.h"
#include "platform/Prompter.h"
#include "platform/TempFiles.h"

#include <QDesktopServices>

namespace Quillorn {

namespace {
// A help page is some tens of kilobytes; a file far larger is not one.
constexpr qint64 MaxHelpFileSize = 4 * 1024 * 1024;
} // namespace

HelpPage::HelpPage(const LangStrings& strings, Prompter& prompter, Opener opener)
    : m_strings(strings)
    , m_prompter(prompter)
    , m_opener(opener ? std::move(opener) : Opener(&QDesktopServices::openUrl))
{
}

bool HelpPage::show(const QString& appDir, const QString& language)
{
    const QString path = LangStrings::languageFolder(appDir, language) + QLatin1String("help.lng");
    // The bytes go to the page as they are: the page names its own character set.
    const FileReader::Result read =
        FileReader::read(path, MaxHelpFileSize, FileReader::Oversize::Refuse);
    if (!read.ok()) {
        m_prompter.message(m_strings.message(Str::HelpUnreadable, FileFailure::quoted(path)),
                           Prompter::Icon::Exclamation);
        return false;
    }
    FileFailure failure;
    WorkFile page = WorkFile::write(TempFiles::userFolder(), QString(), QStringLiteral(".html"),
                                    read.bytes + "\r\n", failure);
    if (!page.exists()) {
        m_prompter.message(failure.describe(m_strings), Prompter::Icon::Exclamation);
        return false;
    }
    const QUrl url = QUrl::fromLocalFile(page.path());
    m_pages.push_back(std::move(page));
    return m_opener(url);
}

} // namespace Quillorn
