#pragma once

#include "documents/Encoding.h"
#include "platform/FileFailure.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QLockFile;

namespace Quillorn {

// Copies of the unsaved documents, kept so that a crash, a kill or a power cut loses none of
// the user's text. Each running editor keeps its copies in a folder of its own, locked while
// it runs; the folders whose editor has ended without cleaning up are what the next start
// offers back.
class RecoveryStore {
public:
    // One kept document: where it belongs and its text as the editor held it.
    struct Document {
        QString name; // the name on its tab
        QString path; // its file; empty for a document without one
        int slot = 0; // the tab it stood in
        Encoding encoding;
        int caretLine = 0;
        QByteArray utf8;
    };

    // A copy an ended editor left behind, and its file.
    struct Found {
        Document document;
        QString file;
    };

    // What ended editors left behind.
    struct LeftBehind {
        QList<Found> documents;
        QStringList damaged; // copies that could not be read back
        QStringList folders; // the folders they were found in
    };

    // The per-user folder the editors of the program folder `appDir` keep their copies below:
    // each installation recovers its own documents, as it keeps its own session.
    static QString folderFor(const QString& appDir);

    explicit RecoveryStore(const QString& folder);
    ~RecoveryStore();

    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    // Keeps (or replaces) the copy of the document `id`; its own folder is made on the first
    // copy.
    FileFailure keep(quint64 id, const Document& document);
    // Deletes the copy of `id`, if any: the document was saved or closed.
    void forget(quint64 id);
    // Deletes every copy and the editor's own folder: the editor ends with nothing to keep.
    void clear();

    // The copies in folders whose editor no longer runs (never this editor's own).
    LeftBehind findLeftBehind() const;
    // Deletes what findLeftBehind found but the copies named in `keep`; a folder goes with its
    // last copy.
    static void discard(const LeftBehind& found, const QStringList& keep = {});

    // The file form of one copy, and back; nothing when the bytes are not a whole copy.
    static QByteArray encode(const Document& document);
    static std::optional<Document> decode(const QByteArray& bytes);

private:
    QString copyPath(quint64 id) const;
    FileFailure ensureOwnFolder();

    QString m_folder;
    QString m_own; // this editor's folder, empty until the first copy
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace Quillorn
