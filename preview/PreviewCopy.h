#pragma once

#include "platform/FileFailure.h"
#include "platform/WorkFile.h"

#include <QByteArray>
#include <QUrl>

namespace Quillorn {

class CurrentDocument;
class PreviewPage;

// The page the browser view shows for the current document, and the one temporary copy of its
// text that an unsaved document is shown from: removed at the next switch of the preview and
// with this object.
class PreviewCopy {
public:
    struct Page {
        QUrl url;            // empty when there is nothing to show
        FileFailure failure; // why the copy could not be written
        bool ok() const { return failure.ok() && !url.isEmpty(); }
    };

    // The page for `document` under `page`: its own file, or a new copy of its text in its own
    // encoding. The previous copy is removed first.
    Page show(const PreviewPage& page, const CurrentDocument& document);
    // The same for a document at `documentPath` (empty when it has none) whose copy would
    // hold `bytes`.
    Page show(const PreviewPage& page, const QString& documentPath, bool saved,
              const QByteArray& bytes);

    // Removes the copy, as switching back to the code view does.
    void discard() { m_copy = WorkFile(); }

    // The copy's path; empty while there is none.
    const QString& path() const { return m_copy.path(); }

private:
    WorkFile m_copy;
};

} // namespace Quillorn
