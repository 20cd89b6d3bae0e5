#include "preview/PreviewCopy.h"

#include "documents/CurrentDocument.h"
#include "documents/DocumentCodec.h"
#include "preview/PreviewPage.h"

namespace Quillorn {

PreviewCopy::Page PreviewCopy::show(const PreviewPage& page, const CurrentDocument& document)
{
    const QByteArray utf8 = document.bytes();
    const DocumentCodec::Encoded encoded = DocumentCodec::encode(utf8, document.encoding());
    // Characters the document's encoding cannot hold are shown from UTF-8 rather than lost.
    return show(page, document.path(), document.isSaved(), encoded.ok() ? encoded.bytes : utf8);
}

PreviewCopy::Page PreviewCopy::show(const PreviewPage& page, const QString& documentPath,
                                    bool saved, const QByteArray& bytes)
{
    discard();
    Page shown;
    if (!page.needsCopy(documentPath, saved)) {
        shown.url = page.url(documentPath);
        return shown;
    }
    // A web server of another user must be able to read the copy in its document folder.
    const mode_t mode = page.mode() == PreviewPage::Mode::Server ? 0644 : 0600;
    m_copy = WorkFile::write(page.copyFolder(), QString(), QStringLiteral(".html"), bytes,
                             shown.failure, mode);
    if (m_copy.exists())
        shown.url = page.url(m_copy.path());
    return shown;
}

} // namespace Quillorn
