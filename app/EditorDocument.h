#pragma once

#include "documents/CurrentDocument.h"
#include "editing/PageFormatter.h"
#include "tags/TagTarget.h"

#include <functional>

namespace Quillorn {

class DocumentList;
class Editor;

// The current document over the editor and the document list: what the subsystems and the tag
// windows see of it, and how they insert into it.
class EditorDocument : public CurrentDocument, public TagTarget {
public:
    // `activate` makes a slot's document the one the editor shows.
    EditorDocument(Editor& editor, DocumentList& documents, std::function<void(int slot)> activate)
        : m_editor(editor)
        , m_documents(documents)
        , m_activate(std::move(activate))
        , m_pages(editor)
    {
    }

    bool isOpen() const override;
    QByteArray bytes() const override;
    QString text() const override;
    void replaceText(const QString& text) override;
    void replaceBytes(const QList<Replacement>& replacements) override;
    QString selectedText() const override;
    void replaceSelection(const QString& text) override;
    int caretLine() const override;
    qint64 caretPosition() const override;
    void setCaretPosition(qint64 position) override;
    void select(const ByteRange& range) override;
    QString path() const override;
    bool isSaved() const override;
    Encoding encoding() const override;
    QByteArray lineEnd() const override;
    FileKind::Kind kind() const override;
    quint64 id() const override;
    bool goTo(quint64 id, int line, int column) override;
    bool setCheckMarks(quint64 id, const QList<CheckMark>& marks) override;
    // The document of `slot` is shown now: check results kept for it go into the margin.
    void documentShown(int slot);
    qint64 length() const override;
    ByteRange selectionRange() const override;
    qint64 colourForPages(qint64 from, qint64 to) override;
    qint64 formatPage(QPainter& painter, const QRect& area, qint64 from, qint64 to,
                      bool draw) override;
    void endPages() override;

    void insert2Tag(const QString& tag) override;

private:
    void showCheckMarks(const QList<CheckMark>& marks);
    // Brings the editor and its window forward.
    void focusEditor();

    Editor& m_editor;
    DocumentList& m_documents;
    std::function<void(int slot)> m_activate;
    PageFormatter m_pages;
};

} // namespace Quillorn
