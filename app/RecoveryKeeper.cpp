#include "app/RecoveryKeeper.h"

#include "app/AppContext.h"
#include "app/DocumentList.h"
#include "documents/CurrentDocument.h"

namespace Quillorn {

RecoveryKeeper::RecoveryKeeper(AppContext& context, const DocumentList& documents,
                               CurrentDocument& document, QObject* parent)
    : QObject(parent)
    , m_context(context)
    , m_documents(documents)
    , m_document(document)
    , m_store(RecoveryStore::folderFor(context.appDir))
{
    static_assert(std::tuple_size_v<decltype(m_kept)> == DocumentList::Count);
    m_timer.setSingleShot(true);
    m_timer.setInterval(DelayMs);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryKeeper::keepCurrent);
    connect(&documents, &DocumentList::savedChanged, this, &RecoveryKeeper::onSavedChanged);
    connect(&documents, &DocumentList::closed, this, &RecoveryKeeper::onClosed);
}

void RecoveryKeeper::changed()
{
    m_pending = true;
    // Typing without a pause still gets a copy every few seconds.
    if (!m_timer.isActive())
        m_timer.start();
}

void RecoveryKeeper::keepCurrent()
{
    m_timer.stop();
    const int slot = m_documents.current();
    if (!m_pending || slot < 0 || !m_document.isOpen())
        return;
    m_pending = false;
    if (m_document.isSaved())
        return;
    const DocumentList::Document& record = m_documents[slot];
    const RecoveryStore::Document copy{
        record.name,       record.path, slot, record.encoding, m_document.caretLine(),
        m_document.bytes()};
    const FileFailure failure = m_store.keep(record.id, copy);
    if (failure.ok()) {
        m_kept.at(static_cast<size_t>(slot)) = record.id;
        return;
    }
    // Said once: the user keeps working, and saving still works where the copy could not.
    if (m_failureShown)
        return;
    m_failureShown = true;
    m_context.prompter.message(
        m_context.strings.message(Str::RecoveryNotKept, failure.describe(m_context.strings)),
        Prompter::Icon::Exclamation);
}

void RecoveryKeeper::clear()
{
    m_timer.stop();
    m_pending = false;
    m_store.clear();
    m_kept.fill(0);
}

void RecoveryKeeper::onSavedChanged(int slot, bool saved)
{
    quint64& kept = m_kept.at(static_cast<size_t>(slot));
    if (!saved || kept == 0)
        return;
    m_store.forget(kept);
    kept = 0;
}

void RecoveryKeeper::onClosed(int slot)
{
    quint64& kept = m_kept.at(static_cast<size_t>(slot));
    if (kept != 0)
        m_store.forget(kept);
    kept = 0;
    if (slot == m_documents.current() || m_documents.current() < 0)
        m_pending = false;
}

void RecoveryKeeper::offerLeftBehind(
    const std::function<bool(const RecoveryStore::Document&)>& reopen)
{
    const RecoveryStore::LeftBehind found = m_store.findLeftBehind();
    if (!found.damaged.isEmpty())
        m_context.prompter.message(
            m_context.strings.message(Str::RecoveryDamaged, found.damaged.join(QLatin1Char('\n'))),
            Prompter::Icon::Exclamation);
    if (found.documents.isEmpty()) {
        RecoveryStore::discard(found);
        return;
    }
    QStringList names;
    for (const RecoveryStore::Found& kept : found.documents)
        names.append(kept.document.path.isEmpty() ? kept.document.name : kept.document.path);
    QStringList notReopened;
    if (m_context.prompter.askYesNo(
            m_context.strings.message(Str::RecoveryQuestion, names.join(QLatin1Char('\n'))))) {
        for (const RecoveryStore::Found& kept : found.documents) {
            // A document that finds no free tab stays where it is, offered again next time.
            if (!reopen(kept.document)) {
                notReopened.append(kept.file);
                continue;
            }
            m_pending = true;
            keepCurrent();
        }
    }
    RecoveryStore::discard(found, notReopened);
}

} // namespace Quillorn
