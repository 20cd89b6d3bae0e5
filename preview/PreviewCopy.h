#pragma once

#include "platform/FileFailure.h"
#include "platform/WorkFile.h"

#include <QByteArray>
#include <QUrl>

namespace Quillorn {

class CurrentDocument;
class PreviewPage;

// The page the browser view shows for the current document: always a temporary copy of its
// text, never the user's file, removed at the next switch of the preview and with this object.
// Each start tag of the copy carries its byte position in the text (SourceMap), so that an
// element of the page leads back to the code.
class PreviewCopy {
public:
    struct Page {
        QUrl url;            // empty when there is nothing to show
        FileFailure failure; // why the copy could not be written
        bool ok() const { return failure.ok() && !url.isEmpty(); }
    };

    // The page for `document` under `page`: a new copy of its text with the positions of its
    // start tags, in its own encoding. The previous copy is removed first.
    Page show(const PreviewPage& page, const CurrentDocument& document);
    // A new copy holding `bytes` for a document at `documentPath` (empty when it has none), in
    // the folder `page` gives, else (when that folder cannot be written) where a document
    // without a file would have it.
    Page show(const PreviewPage& page, const QString& documentPath, const QByteArray& bytes);

    // Removes the copy, as switching back to the code view does.
    void discard() { m_copy = WorkFile(); }

    // The copy's path; empty while there is none.
    const QString& path() const { return m_copy.path(); }

private:
    WorkFile m_copy;
};

} // namespace Quillorn
