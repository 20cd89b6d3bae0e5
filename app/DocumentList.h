#pragma once

#include "documents/CurrentDocument.h"
#include "documents/Encoding.h"
#include "documents/FileKind.h"
#include "editing/Editor.h"

#include <QList>
#include <QObject>
#include <QString>

#include <array>
#include <optional>

namespace Quillorn {

// The open documents: one record per document in ten slots fixed to their tab positions, the
// free slots handed out oldest freed first, and which one is current. Every change goes
// through a method, and the signals say what changed.
class DocumentList : public QObject {
    Q_OBJECT
public:
    static constexpr int Count = 10;

    struct Document {
        QString path; // the document's file; empty for a document without one
        QString name; // the name on its tab: the file's name, or "unknown.html" for a new one
        FileKind::Kind kind = FileKind::Kind::Other; // told by the name
        bool saved = true;      // false from the first change until the next save
        QsciDocument document;  // the text and its undo history
        Editor::ViewState view; // where the view stood when the document was left
        Encoding encoding;      // how the text is written back
        quint64 id = 0;         // names the document while it is open; never used again
        // Check results that came while another document was shown, until this one is shown.
        std::optional<QList<CurrentDocument::CheckMark>> pendingChecks;
    };

    explicit DocumentList(QObject* parent = nullptr);

    // Takes the first free slot for a document named `name` held in `document`; -1 when all
    // ten are in use.
    int take(const QString& name, const QsciDocument& document);
    // Clears the slot and gives it back at the end of the free list; a current slot stops
    // being current first.
    void release(int slot);

    // A document given a file takes the file's name; one whose file is forgotten (an empty
    // `path`) keeps its name.
    void setPath(int slot, const QString& path);
    void setSaved(int slot, bool saved);
    void setEncoding(int slot, const Encoding& encoding);
    void setView(int slot, const Editor::ViewState& view);
    // Keeps check results for the document of `slot` until it is shown; the latest wins.
    void setPendingChecks(int slot, const QList<CurrentDocument::CheckMark>& marks);
    // The results kept for `slot`, handed out once.
    std::optional<QList<CurrentDocument::CheckMark>> takePendingChecks(int slot);
    // -1: no document is current.
    void setCurrent(int slot);

    int current() const { return m_current; }
    bool inUse(int slot) const;
    int usedCount() const { return Count - static_cast<int>(m_free.size()); }
    const QList<int>& freeSlots() const { return m_free; }
    const Document& operator[](int slot) const { return m_slots.at(static_cast<size_t>(slot)); }
    // The slot of the open document `id`; -1 when it is closed.
    int slotOf(quint64 id) const;
    // The paths of the open documents in slot order, as a session lists them.
    QStringList paths() const;

    static bool isValid(int slot) { return slot >= 0 && slot < Count; }

Q_SIGNALS:
    void currentChanged(int slot);
    void savedChanged(int slot, bool saved);
    void pathChanged(int slot);
    void closed(int slot);

private:
    Document& at(int slot) { return m_slots.at(static_cast<size_t>(slot)); }

    std::array<Document, Count> m_slots;
    QList<int> m_free;
    int m_current = -1;
    quint64 m_lastId = 0;
};

} // namespace Quillorn
