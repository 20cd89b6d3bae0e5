#include "app/ExternalChangeWatch.h"

#include "app/AppContext.h"
#include "app/FileCommands.h"
#include "platform/FileFailure.h"

#include <QGuiApplication>

namespace Quillorn {

ExternalChangeWatch::ExternalChangeWatch(AppContext& context, DocumentList& documents,
                                         FileCommands& files, QObject* parent)
    : QObject(parent)
    , m_context(context)
    , m_documents(documents)
    , m_files(files)
{
    connect(&documents, &DocumentList::pathChanged, this, &ExternalChangeWatch::remember);
    connect(&files, &FileCommands::documentWritten, this, &ExternalChangeWatch::remember);
    connect(&documents, &DocumentList::closed, this, &ExternalChangeWatch::forget);
    connect(&documents, &DocumentList::currentChanged, this, &ExternalChangeWatch::checkCurrent);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this,
            &ExternalChangeWatch::onFileChanged);
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state == Qt::ApplicationActive)
                    checkCurrent();
            });
}

void ExternalChangeWatch::remember(int slot)
{
    const QString& path = m_documents[slot].path;
    m_known.at(static_cast<size_t>(slot)) = FileStamp::of(path);
    // A file replaced by a rename is a new file to the watcher: watch the name again.
    if (!path.isEmpty())
        m_watcher.addPath(path);
}

void ExternalChangeWatch::forget(int slot)
{
    m_known.at(static_cast<size_t>(slot)) = {};
    QStringList watched = m_watcher.files();
    for (int i = 0; i < DocumentList::Count; ++i) {
        if (m_documents.inUse(i))
            watched.removeAll(m_documents[i].path);
    }
    if (!watched.isEmpty())
        m_watcher.removePaths(watched);
}

void ExternalChangeWatch::onFileChanged(const QString& path)
{
    const int slot = m_documents.current();
    if (slot >= 0 && m_documents[slot].path == path)
        checkCurrent();
    // The others are looked at when they become current.
}

void ExternalChangeWatch::checkCurrent()
{
    const int slot = m_documents.current();
    if (m_asking || slot < 0 || m_documents[slot].path.isEmpty())
        return;
    const QString path = m_documents[slot].path;
    FileStamp& known = m_known.at(static_cast<size_t>(slot));
    const FileStamp now = FileStamp::of(path);
    if (now == known)
        return;
    known = now;
    m_asking = true;
    const LangStrings& strings = m_context.strings;
    if (!now.exists) {
        m_documents.setSaved(slot, false);
        m_context.prompter.message(strings.message(Str::FileGoneOutside, FileFailure::quoted(path)),
                                   Prompter::Icon::Exclamation);
    } else if (m_documents[slot].saved ||
               m_context.prompter.askYesNo(
                   strings.message(Str::FileChangedOutside, FileFailure::quoted(path)))) {
        m_files.reloadCurrent();
    }
    m_asking = false;
    if (now.exists)
        m_watcher.addPath(path);
}

} // namespace Quillorn
