#include "tools/SaveCheck.h"

#include "documents/CurrentDocument.h"
#include "platform/LangStrings.h"
#include "platform/Settings.h"
#include "platform/TempFiles.h"
#include "tools/CheckReport.h"
#include "tools/ToolCommands.h"
#include "tools/ToolOutput.h"

#include <algorithm>

namespace Quillorn {

namespace {

constexpr int CheckTimeoutMs = 30 * 1000;

} // namespace

SaveCheck::SaveCheck(const Context& context, QObject* parent)
    : QObject(parent)
    , m_context(context)
{
    m_options.timeoutMs = CheckTimeoutMs;
    connect(&m_runner, &ProcessRunner::finished, this, &SaveCheck::finish);
}

void SaveCheck::documentSaved()
{
    if (!m_context.settings.checkAfterSaving || !m_context.document.isOpen())
        return;
    std::optional<Request> request = requestForCurrent();
    if (!request)
        return;
    std::erase_if(m_waiting, [&request](const Request& r) { return r.id == request->id; });
    m_waiting.push_back(std::move(*request));
    if (!m_running)
        startNext();
}

std::optional<SaveCheck::Request> SaveCheck::requestForCurrent()
{
    const CurrentDocument& document = m_context.document;
    Request request;
    request.id = document.id();
    switch (document.kind()) {
    case FileKind::Kind::Html: {
        const QString tidy = ToolCommands::tidyProgram(m_context.appDir);
        request.name = QStringLiteral("Tidy");
        if (tidy.isEmpty()) {
            Q_EMIT statusChanged(m_context.strings.message(Str::ToolNotFound, request.name));
            return std::nullopt;
        }
        // The text as the editor holds it, so the lines match whatever the file's encoding.
        FileFailure failure;
        request.input = WorkFile::write(TempFiles::userFolder(), QStringLiteral("tmp"),
                                        QStringLiteral(".html"), document.bytes(), failure);
        if (!request.input.exists()) {
            Q_EMIT statusChanged(failure.describe(m_context.strings));
            return std::nullopt;
        }
        request.commandLine = ToolCommands::tidyCheckCommand(tidy, request.input.path());
        return request;
    }
    case FileKind::Kind::Php:
        if (m_context.settings.phpPath.isEmpty())
            return std::nullopt;
        request.name = QStringLiteral("PHP");
        request.commandLine =
            ToolCommands::phpCheckCommand(m_context.settings.phpPath, document.path());
        return request;
    case FileKind::Kind::JavaScript:
    case FileKind::Kind::Css:
    case FileKind::Kind::Other:
        break;
    }
    return std::nullopt;
}

void SaveCheck::startNext()
{
    if (m_waiting.empty())
        return;
    m_running = std::move(m_waiting.front());
    m_waiting.pop_front();
    m_runner.start(m_running->commandLine, m_options);
}

void SaveCheck::finish(const RunResult& result)
{
    if (!m_running)
        return;
    const Request done = std::move(*m_running);
    m_running.reset();
    const QString failure =
        ToolOutput::failureText(result, done.name, m_options, m_context.strings);
    const QString status =
        failure.isEmpty()
            ? CheckReport::markDocument(m_context.document, done.id,
                                        CheckReport::trim(result.text()), m_context.strings)
            : failure;
    if (!status.isEmpty())
        Q_EMIT statusChanged(status);
    Q_EMIT checked();
    startNext();
}

} // namespace Quillorn
