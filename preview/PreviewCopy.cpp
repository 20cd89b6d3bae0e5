#include "preview/PreviewCopy.h"

#include "documents/CurrentDocument.h"
#include "documents/DocumentCodec.h"
#include "documents/FileKind.h"
#include "preview/PreviewPage.h"
#include "preview/SourceMap.h"

namespace Quillorn {

PreviewCopy::Page PreviewCopy::show(const PreviewPage& page, const CurrentDocument& document)
{
    const QByteArray utf8 = document.bytes();
    const QByteArray marked = SourceMap::marked(utf8, SourceMap::scan(utf8));
    const DocumentCodec::Encoded encoded = DocumentCodec::encode(marked, document.encoding());
    // Characters the document's encoding cannot hold are shown from UTF-8 rather than lost.
    return show(page, document.path(), encoded.ok() ? encoded.bytes : marked);
}

PreviewCopy::Page PreviewCopy::show(const PreviewPage& page, const QString& documentPath,
                                    const QByteArray& bytes)
{
    discard();
    const bool server = page.mode() == PreviewPage::Mode::Server;
    // A web server of another user must be able to read the copy; a copy read from disk stays
    // private.
    const mode_t mode = server ? 0644 : 0600;
    // Through a server the copy keeps the document's extension, so that a script still runs.
    const QString extension = FileKind::extension(documentPath);
    const QString suffix = server && !extension.isEmpty() ? extension : QStringLiteral(".html");
    Page shown;
    const QString folder = page.copyFolder(documentPath);
    m_copy = WorkFile::write(folder, QString(), suffix, bytes, shown.failure, mode);
    const QString fallback = page.copyFolder();
    if (!m_copy.exists() && fallback != folder) {
        shown.failure = FileFailure();
        m_copy = WorkFile::write(fallback, QString(), suffix, bytes, shown.failure, mode);
    }
    if (m_copy.exists())
        shown.url = page.url(m_copy.path());
    return shown;
}

} // namespace Quillorn
