#include "tools/ToolCommands.h"

#include "documents/CurrentDocument.h"
#include "platform/LangStrings.h"
#include "platform/Prompter.h"
#include "platform/Settings.h"
#include "platform/TempFiles.h"
#include "tools/CheckReport.h"
#include "tools/CheckWindow.h"
#include "tools/ToolOutput.h"

#include <QApplication>
#include <QFileInfo>
#include <QStandardPaths>

#include <utility>

namespace Quillorn {

namespace {

const QString Tidy = QStringLiteral("Tidy");
const QString Php = QStringLiteral("PHP");
constexpr int ToolTimeoutMs = 30 * 1000;
// A script may do real work: it gets longer than a converter.
constexpr int ExecuteTimeoutMs = 120 * 1000;

QString tidySwitches(ToolCommands::TidyCommand command)
{
    using C = ToolCommands::TidyCommand;
    switch (command) {
    case C::Correct:
        return QStringLiteral(" -raw -q -c ");
    case C::UpperCase:
        return QStringLiteral(" -raw -u ");
    case C::ToXml:
        return QStringLiteral(" -raw -xml ");
    case C::ToXhtml:
        return QStringLiteral(" -raw -asxhtml ");
    case C::ToHtml:
        return QStringLiteral(" -raw -ashtml ");
    }
    return {};
}

QString phpSwitches(ToolCommands::PhpCommand command)
{
    using C = ToolCommands::PhpCommand;
    switch (command) {
    case C::Execute:
        return QStringLiteral(" -q ");
    case C::Check:
        return QStringLiteral(" -q -l ");
    case C::Highlight:
        return QStringLiteral(" -q -s ");
    case C::Compact:
        return QStringLiteral(" -q -w ");
    }
    return {};
}

} // namespace

ToolCommands::ToolCommands(const Context& context, QObject* parent)
    : QObject(parent)
    , m_context(context)
{
    connect(&m_runner, &ProcessRunner::finished, this, &ToolCommands::finishRun);
}

QString ToolCommands::tidyProgram(const QString& appDir)
{
    const QFileInfo local(appDir + QLatin1String("plug-ins/tidy/tidy"));
    if (local.isFile() && local.isExecutable())
        return local.absoluteFilePath();
    return QStandardPaths::findExecutable(QStringLiteral("tidy"));
}

QString ToolCommands::tidyCheckCommand(const QString& tidy, const QString& path)
{
    return ToolOutput::commandLine(tidy, QStringLiteral(" -raw -e "), path);
}

QString ToolCommands::phpCheckCommand(const QString& php, const QString& path)
{
    return ToolOutput::commandLine(php, phpSwitches(PhpCommand::Check), path);
}

CheckWindow* ToolCommands::checkWindow() const
{
    return m_checkWindow;
}

CheckWindow* ToolCommands::showCheckWindow()
{
    if (!m_checkWindow) {
        m_checkWindow = new CheckWindow(m_context.strings, m_context.window);
        connect(m_checkWindow, &CheckWindow::cancelRequested, this, &ToolCommands::cancel);
        // Closing the window while its program runs ends the run: nobody waits for it.
        connect(m_checkWindow, &QObject::destroyed, this, &ToolCommands::cancel);
        connect(m_checkWindow, &CheckWindow::lineActivated, this, [this](int line, int column) {
            m_context.document.goTo(m_checkedId, line, column);
        });
    }
    m_checkWindow->show();
    m_checkWindow->raise();
    return m_checkWindow;
}

void ToolCommands::run(const QString& commandLine, const RunOptions& options, CheckWindow* window,
                       Handler handler)
{
    m_options = options;
    m_handler = std::move(handler);
    if (!window) {
        if (!m_busyCursor)
            QApplication::setOverrideCursor(Qt::BusyCursor);
        m_busyCursor = true;
        m_runner.start(commandLine, options);
        return;
    }
    window->animateProgress();
    m_pendingStart = connect(
        window, &CheckWindow::progressDone, this,
        [this, commandLine, options] {
            disconnect(m_pendingStart);
            m_runner.start(commandLine, options);
        },
        Qt::SingleShotConnection);
}

void ToolCommands::cancel()
{
    if (m_runner.isRunning()) {
        m_runner.cancel();
    } else if (m_pendingStart) {
        // Cancelled while the bar still ran: the program never starts.
        disconnect(m_pendingStart);
        RunResult cancelled;
        cancelled.status = RunStatus::Cancelled;
        finishRun(cancelled);
    }
}

void ToolCommands::finishRun(const RunResult& result)
{
    if (m_checkWindow)
        m_checkWindow->setRunning(false);
    m_workFile = WorkFile();
    const Handler handler = std::exchange(m_handler, nullptr);
    if (handler)
        handler(result);
    // A handler may go on with the next run of its command.
    if (isBusy())
        return;
    if (m_busyCursor)
        QApplication::restoreOverrideCursor();
    m_busyCursor = false;
    Q_EMIT statusChanged(std::exchange(m_endStatus, QString()));
    Q_EMIT done();
}

void ToolCommands::checkDocument()
{
    if (!m_context.document.isOpen() || isBusy())
        return;
    CheckWindow* window = showCheckWindow();
    const QString tidy = tidyProgram(m_context.appDir);
    if (tidy.isEmpty()) {
        window->setReport(m_context.strings.message(Str::ToolNotFound, Tidy));
        return;
    }
    if (!writeWorkFile(m_context.appDir + QLatin1String("plug-ins/tidy"),
                       m_context.document.bytes()))
        return;
    m_checkedId = m_context.document.id();
    RunOptions options;
    options.timeoutMs = ToolTimeoutMs;
    run(tidyCheckCommand(tidy, m_workFile.path()), options, window,
        [this](const RunResult& result) {
            if (!m_checkWindow)
                return;
            const QString failure = failureText(result, Tidy);
            // The report is what the user asked for: it shows even where a page was shown.
            if (m_checkWindow->isBrowserShown())
                m_checkWindow->toggleBrowser();
            if (!failure.isEmpty()) {
                m_checkWindow->setReport(failure);
                return;
            }
            const QString report = CheckReport::trim(result.text());
            m_checkWindow->setReport(report);
            markLines(report);
        });
}

void ToolCommands::convert(TidyCommand command)
{
    if (!m_context.document.isOpen() || isBusy())
        return;
    const QString tidy = tidyProgram(m_context.appDir);
    if (tidy.isEmpty()) {
        tell(m_context.strings.message(Str::ToolNotFound, Tidy));
        return;
    }
    if (m_generator) {
        convertWith(command, tidy);
        return;
    }
    // The generator line this Tidy writes, learned once from a page made of nothing.
    Q_EMIT statusChanged(m_context.strings.message(Str::ToolRunning, Tidy));
    RunOptions options;
    options.timeoutMs = ToolTimeoutMs;
    options.channels = RunChannels::Separate;
    run(QLatin1Char('"') + tidy + QLatin1String("\" -q"), options, nullptr,
        [this, command, tidy](const RunResult& result) {
            m_generator = ToolOutput::generatorOf(result.output);
            convertWith(command, tidy);
        });
}

void ToolCommands::convertWith(TidyCommand command, const QString& tidy)
{
    const QByteArray original = m_context.document.bytes();
    const quint64 id = m_context.document.id();
    if (!writeWorkFile(m_context.appDir + QLatin1String("plug-ins/tidy"), original))
        return;
    Q_EMIT statusChanged(m_context.strings.message(Str::ToolRunning, Tidy));
    RunOptions options;
    options.timeoutMs = ToolTimeoutMs;
    // The page from standard output alone: Tidy's messages go to standard error.
    options.channels = RunChannels::Separate;
    run(ToolOutput::commandLine(tidy, tidySwitches(command), m_workFile.path()), options, nullptr,
        [this, id, original](const RunResult& result) {
            // Tidy's exit code 2: errors, and no page.
            if (result.status != RunStatus::Finished || result.exitCode >= 2 ||
                result.output.isEmpty()) {
                reportNoDocument(result, Tidy);
                return;
            }
            const QByteArray page = ToolOutput::withoutGenerator(
                ToolOutput::cutAfterLastHtmlEnd(result.output, Qt::CaseInsensitive),
                m_generator.value_or(QString()));
            replaceDocument(id, original, page, Tidy);
        });
}

void ToolCommands::runPhp(PhpCommand command)
{
    if (!m_context.document.isOpen() || isBusy())
        return;
    const QString php = m_context.settings.phpPath;
    if (php.isEmpty()) {
        tell(m_context.strings.message(Str::ToolNotFound, Php));
        return;
    }
    const QByteArray original = m_context.document.bytes();
    if (!writeWorkFile(m_context.appDir + QLatin1String("plug-ins"), original))
        return;
    RunOptions options;
    options.timeoutMs = command == PhpCommand::Execute ? ExecuteTimeoutMs : ToolTimeoutMs;

    if (command == PhpCommand::Compact) {
        // The text as shown is compacted, not the file as last saved: what replaces the text
        // must come from the text, or unsaved work would be lost.
        const quint64 id = m_context.document.id();
        options.channels = RunChannels::Separate;
        Q_EMIT statusChanged(m_context.strings.message(Str::ToolRunning, Php));
        run(ToolOutput::commandLine(php, phpSwitches(command), m_workFile.path()), options, nullptr,
            [this, id, original](const RunResult& result) {
                if (result.status != RunStatus::Finished || result.exitCode != 0 ||
                    result.output.isEmpty()) {
                    reportNoDocument(result, Php);
                    return;
                }
                replaceDocument(id, original, result.output, Php);
            });
        return;
    }

    const QString path = m_context.document.path();
    if (path.isEmpty()) {
        m_workFile = WorkFile();
        tell(m_context.strings.message(Str::PhpNeedsSavedFile));
        return;
    }
    m_checkedId = m_context.document.id();
    CheckWindow* window = showCheckWindow();
    run(ToolOutput::commandLine(php, phpSwitches(command), path), options, window,
        [this, command](const RunResult& result) {
            if (!m_checkWindow)
                return;
            const QString failure = failureText(result, Php);
            if (!failure.isEmpty() || command == PhpCommand::Check) {
                // The check's message is text, and names the line of an error: it goes to the
                // text view, where that line is a link.
                if (m_checkWindow->isBrowserShown())
                    m_checkWindow->toggleBrowser();
                m_checkWindow->setReport(
                    failure.isEmpty() ? ToolOutput::phpCheckResult(result.text()) : failure);
                if (failure.isEmpty() && command == PhpCommand::Check)
                    markLines(result.text());
                return;
            }
            RunResult page = result;
            page.output = ToolOutput::cutAfterLastHtmlEnd(result.output, Qt::CaseSensitive);
            if (!m_checkWindow->isBrowserShown())
                m_checkWindow->toggleBrowser();
            const FileFailure written = m_checkWindow->setHtml(page.text());
            if (!written.ok())
                tell(written.describe(m_context.strings));
        });
}

void ToolCommands::replaceDocument(quint64 id, const QByteArray& original,
                                   const QByteArray& converted, const QString& name)
{
    CurrentDocument& document = m_context.document;
    if (document.id() != id || document.bytes() != original) {
        tell(m_context.strings.message(Str::ToolDocumentChanged, name));
        return;
    }
    if (converted != original)
        document.replaceBytes({{0, original.size(), converted}});
}

void ToolCommands::reportNoDocument(const RunResult& result, const QString& name)
{
    const QString failure = failureText(result, name);
    if (!failure.isEmpty()) {
        tell(failure);
        return;
    }
    const QByteArray messages = result.error.isEmpty() ? result.output : result.error;
    if (!messages.isEmpty()) {
        CheckWindow* window = showCheckWindow();
        if (window->isBrowserShown())
            window->toggleBrowser();
        RunResult report = result;
        report.output = messages;
        window->setReport(report.text());
    }
    tell(result.output.isEmpty() && result.exitCode == 0
             ? m_context.strings.message(Str::ToolNoOutput, name)
             : m_context.strings.message(Str::ToolExitError, name,
                                         QString::number(result.exitCode)));
}

bool ToolCommands::writeWorkFile(const QString& folder, const QByteArray& bytes)
{
    const QFileInfo info(folder);
    // A system-wide installation's folder is not the user's to write in.
    const QString target = info.isDir() && info.isWritable() ? folder : TempFiles::userFolder();
    FileFailure failure;
    m_workFile =
        WorkFile::write(target, QStringLiteral("tmp"), QStringLiteral(".html"), bytes, failure);
    if (!m_workFile.exists())
        tell(failure.describe(m_context.strings));
    return m_workFile.exists();
}

void ToolCommands::markLines(const QString& report)
{
    m_endStatus =
        CheckReport::markDocument(m_context.document, m_checkedId, report, m_context.strings);
}

QString ToolCommands::failureText(const RunResult& result, const QString& name) const
{
    return ToolOutput::failureText(result, name, m_options, m_context.strings);
}

void ToolCommands::tell(const QString& text)
{
    m_context.prompter.message(text, Prompter::Icon::Exclamation);
}

} // namespace Quillorn
