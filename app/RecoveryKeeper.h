#pragma once

#include "documents/RecoveryStore.h"

#include <QObject>
#include <QTimer>

#include <array>
#include <functional>

namespace Quillorn {

struct AppContext;
class CurrentDocument;
class DocumentList;

// Keeps a recovery copy of every unsaved document a moment after it changes, drops the copy
// when the document is saved or closed, and at start offers back what an editor that did not
// close properly left behind.
class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    // How long after a change its copy is written.
    static constexpr int DelayMs = 2000;

    RecoveryKeeper(AppContext& context, const DocumentList& documents, CurrentDocument& document,
                   QObject* parent = nullptr);

    // The current document's text changed.
    void changed();
    // Writes the current document's copy now when a change is not kept yet: before the editor
    // shows another document, before something that could end the program, at a stop signal.
    void keepCurrent();
    // The program ends with nothing to keep: the user was asked about every unsaved document.
    void clear();

    // Asks whether to reopen what ended editors left; `reopen` opens one document unsaved and
    // gives whether it could.
    void offerLeftBehind(const std::function<bool(const RecoveryStore::Document&)>& reopen);

private:
    void onSavedChanged(int slot, bool saved);
    void onClosed(int slot);

    AppContext& m_context;
    const DocumentList& m_documents;
    CurrentDocument& m_document;
    RecoveryStore m_store;
    QTimer m_timer;
    bool m_pending = false;
    bool m_failureShown = false;
    // The document each slot has a copy for; 0 where there is none.
    std::array<quint64, 10> m_kept{};
};

} // namespace Quillorn
