#pragma once

#include "app/DocumentList.h"
#include "platform/FileStamp.h"

#include <QFileSystemWatcher>
#include <QObject>

#include <array>

namespace Quillorn {

struct AppContext;
class FileCommands;

// Notices when another program changes, replaces or removes the file of an open document: a
// document without changes of its own takes the new text at once, one with changes asks
// first, and one whose file is gone stays as it is, marked unsaved. The current document is
// looked at when its file changes, when it becomes current and when the program becomes
// active again.
class ExternalChangeWatch : public QObject {
    Q_OBJECT
public:
    ExternalChangeWatch(AppContext& context, DocumentList& documents, FileCommands& files,
                        QObject* parent = nullptr);

    // Compares the current document's file with what the document was last read from or
    // written to.
    void checkCurrent();

private:
    // The slot's file as it is now is the one the document knows.
    void remember(int slot);
    void forget(int slot);
    void onFileChanged(const QString& path);

    AppContext& m_context;
    DocumentList& m_documents;
    FileCommands& m_files;
    QFileSystemWatcher m_watcher;
    std::array<FileStamp, DocumentList::Count> m_known;
    bool m_asking = false;
};

} // namespace Quillorn
