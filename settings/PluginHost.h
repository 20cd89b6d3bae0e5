#pragma once

#include "platform/WorkFile.h"
#include "tools/ProcessRunner.h"

#include <QObject>
#include <QStringList>

#include <memory>
#include <vector>

class QAction;
class QMenu;

namespace Quillorn {

class CurrentDocument;
class LangStrings;
class Prompter;
class SharedPlugin;

// The plug-ins named by the settings' "plugin" lines (`Plugins`), in load order, each with its
// entry mplug(index) in the Plug-Ins menu. An entry runs its plug-in on the current document: a
// library's object inside the editor, a program of the plug-ins folder through the process
// runner with the text on its standard input. What fails leaves the text and says so.
class PluginHost : public QObject {
    Q_OBJECT
public:
    struct Context {
        QString appDir; // with a trailing "/"
        const LangStrings& strings;
        Prompter& prompter;
        CurrentDocument& document;
        QMenu* menu;         // the Plug-Ins menu
        QAction* firstEntry; // mplug(0), hidden while no plug-in is loaded
    };

    explicit PluginHost(const Context& context, QObject* parent = nullptr);
    ~PluginHost() override;

    // Makes the plug-ins of `lines` (the values of "plugin" lines) the loaded ones, captioned in
    // the interface language `language`. When the lines changed, the plug-ins loaded before go
    // with their entries and the new ones load in order; when only the language changed, only
    // the captions do.
    void apply(const QStringList& lines, const QString& language);

    // Adds the plug-in `name` in the file at `path` as the next entry. A program (an executable
    // file that is no shared library) is captioned `name`; a library's object `name` + ".Data"
    // gives its own caption. One that cannot be loaded still gets its entry, captioned `name`.
    void loadPlugin(const QString& path, const QString& name);

    // Runs plug-in `index` on the current document's text, with the caret where it is.
    void runPlugin(int index);

    // The number of plug-ins loaded (entries mplug(0) to mplug(count() - 1)).
    int count() const;
    QAction* entry(int index) const;
    // A program plug-in runs.
    bool isBusy() const { return m_runner.isRunning(); }

Q_SIGNALS:
    // Right before a library's object runs inside the editor's process.
    void aboutToRunInProcess();
    // A status-line text while a program runs; empty once it has ended.
    void statusChanged(const QString& text);
    // A run has ended, whatever came of it.
    void finished();

private:
    struct Plugin;
    // What a program plug-in's run needs once the program has ended.
    struct ProgramRun {
        quint64 documentId = 0;
        QByteArray original;
        qint64 caret = 0;
        QString name;
    };

    QString caption(const Plugin& plugin) const;
    void unloadAll();
    void runLibrary(const Plugin& plugin);
    void runProgram(const Plugin& plugin);
    void programFinished(const RunResult& result);
    // Why a program's run gave no text; empty when nothing more can be said.
    QString programFailure(const RunResult& result, const QString& name) const;
    // "Error in plugin", with `detail` below it when there is one.
    void fail(const QString& detail = {});

    Context m_context;
    std::vector<Plugin> m_plugins;
    QStringList m_lines;
    QString m_language;
    ProcessRunner m_runner;
    RunOptions m_options;
    WorkFile m_input;
    ProgramRun m_run;
};

} // namespace Quillorn
