#include "settings/PluginHost.h"

#include "documents/CurrentDocument.h"
#include "platform/LangStrings.h"
#include "platform/Prompter.h"
#include "platform/TempFiles.h"
#include "settings/PluginLine.h"
#include "settings/SharedPlugin.h"
#include "tools/ToolOutput.h"

#include <QAction>
#include <QFileInfo>
#include <QLibrary>
#include <QMenu>

#include <algorithm>
#include <climits>

namespace Quillorn {

namespace {

constexpr int ProgramTimeoutMs = 60 * 1000;
// What a failing program wrote to standard error is shown up to this many characters.
constexpr int DetailLength = 2000;

} // namespace

struct PluginHost::Plugin {
    QString name;
    QString path;
    bool program = false;                 // an executable program, run through the runner
    std::unique_ptr<SharedPlugin> object; // a library's object; null when it could not be had
    std::unique_ptr<QAction> ownEntry;    // the entries after mplug(0)
    QAction* entry = nullptr;
};

PluginHost::PluginHost(const Context& context, QObject* parent)
    : QObject(parent)
    , m_context(context)
{
    connect(m_context.firstEntry, &QAction::triggered, this, [this] { runPlugin(0); });
    connect(&m_runner, &ProcessRunner::finished, this, &PluginHost::programFinished);
}

PluginHost::~PluginHost() = default;

int PluginHost::count() const
{
    return static_cast<int>(m_plugins.size());
}

QAction* PluginHost::entry(int index) const
{
    return index >= 0 && index < count() ? m_plugins[size_t(index)].entry : nullptr;
}

void PluginHost::apply(const QStringList& lines, const QString& language)
{
    if (lines == m_lines) {
        if (language != m_language) {
            m_language = language;
            for (const Plugin& plugin : m_plugins)
                plugin.entry->setText(caption(plugin));
        }
        return;
    }
    unloadAll();
    m_lines = lines;
    m_language = language;
    for (const QString& line : lines) {
        // A line without a file names nothing to load.
        if (const auto plugin = PluginLine::parse(line))
            loadPlugin(plugin->path(m_context.appDir), plugin->name);
    }
}

void PluginHost::unloadAll()
{
    m_context.firstEntry->setVisible(false);
    m_context.firstEntry->setText(QString());
    // Each later entry leaves the menu with its action; each object goes before its library.
    m_plugins.clear();
}

void PluginHost::loadPlugin(const QString& path, const QString& name)
{
    Plugin plugin;
    plugin.name = name;
    plugin.path = path;
    const QFileInfo file(path);
    plugin.program = !QLibrary::isLibrary(path) && file.isFile() && file.isExecutable();
    if (!plugin.program)
        plugin.object = SharedPlugin::load(path, name);

    const int index = count();
    if (index == 0) {
        plugin.entry = m_context.firstEntry;
    } else {
        plugin.ownEntry = std::make_unique<QAction>();
        plugin.entry = plugin.ownEntry.get();
        plugin.entry->setObjectName(QStringLiteral("mplug(%1)").arg(index));
        m_context.menu->addAction(plugin.entry);
        connect(plugin.entry, &QAction::triggered, this, [this, index] { runPlugin(index); });
    }
    plugin.entry->setText(caption(plugin));
    plugin.entry->setVisible(true);
    m_plugins.push_back(std::move(plugin));
}

QString PluginHost::caption(const Plugin& plugin) const
{
    QString text = plugin.object ? plugin.object->caption(m_language) : QString();
    if (text.isEmpty())
        text = plugin.name;
    // A plug-in's "&" is a letter of its caption, not a menu accelerator.
    return text.replace(u'&', QLatin1String("&&"));
}

void PluginHost::runPlugin(int index)
{
    if (index < 0 || index >= count() || !m_context.document.isOpen())
        return;
    const Plugin& plugin = m_plugins[size_t(index)];
    if (plugin.program) {
        runProgram(plugin);
        return;
    }
    runLibrary(plugin);
    Q_EMIT finished();
}

void PluginHost::runLibrary(const Plugin& plugin)
{
    if (!plugin.object) {
        fail();
        return;
    }
    CurrentDocument& document = m_context.document;
    const QByteArray text = document.bytes();
    const auto caret = static_cast<qint32>(std::min<qint64>(document.caretPosition(), INT_MAX));
    Q_EMIT aboutToRunInProcess();
    const auto outcome = plugin.object->run(text, caret);
    if (!outcome) {
        fail();
        return;
    }
    if (!outcome->replace)
        return;
    if (outcome->result != text)
        document.replaceBytes({{0, text.size(), outcome->result}});
    document.setCaretPosition(outcome->selStart);
}

void PluginHost::runProgram(const Plugin& plugin)
{
    // One program at a time; the entry is chosen again once the first has ended.
    if (isBusy())
        return;
    CurrentDocument& document = m_context.document;
    m_run = {document.id(), document.bytes(), document.caretPosition(), plugin.name};
    FileFailure failure;
    m_input = WorkFile::write(TempFiles::userFolder(), QStringLiteral("plugin"),
                              QStringLiteral(".txt"), m_run.original, failure);
    if (!m_input.exists()) {
        fail(failure.describe(m_context.strings));
        Q_EMIT finished();
        return;
    }
    m_options = RunOptions();
    m_options.timeoutMs = ProgramTimeoutMs;
    // The text comes back whole: a large document may give a large answer.
    m_options.outputCap = std::max(m_options.outputCap, 4 * m_run.original.size());
    m_options.channels = RunChannels::Separate;
    m_options.inputFile = m_input.path();
    Q_EMIT statusChanged(m_context.strings.message(Str::ToolRunning, plugin.name));
    m_runner.start(QLatin1Char('"') + plugin.path + QLatin1Char('"'), m_options);
}

void PluginHost::programFinished(const RunResult& result)
{
    m_input = WorkFile();
    const ProgramRun run = std::exchange(m_run, ProgramRun());
    Q_EMIT statusChanged(QString());
    CurrentDocument& document = m_context.document;
    if (result.status != RunStatus::Finished || result.exitCode != 0 || result.output.isEmpty()) {
        fail(programFailure(result, run.name));
    } else if (document.id() != run.documentId || document.bytes() != run.original) {
        m_context.prompter.message(m_context.strings.message(Str::ToolDocumentChanged, run.name),
                                   Prompter::Icon::Exclamation);
    } else {
        if (result.output != run.original)
            document.replaceBytes({{0, run.original.size(), result.output}});
        document.setCaretPosition(run.caret);
    }
    Q_EMIT finished();
}

QString PluginHost::programFailure(const RunResult& result, const QString& name) const
{
    const QString failure = ToolOutput::failureText(result, name, m_options, m_context.strings);
    if (!failure.isEmpty())
        return failure;
    if (result.exitCode == 0)
        return m_context.strings.message(Str::ToolNoOutput, name);
    return QString::fromUtf8(result.error).trimmed().left(DetailLength);
}

void PluginHost::fail(const QString& detail)
{
    QString text = m_context.strings.message(Str::ErrorInPlugin);
    if (!detail.isEmpty())
        text += QLatin1String("\n\n") + detail;
    m_context.prompter.message(text, Prompter::Icon::Exclamation);
}

} // namespace Quillorn
