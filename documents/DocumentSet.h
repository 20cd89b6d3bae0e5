#pragma once

#include "documents/CurrentDocument.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace Quillorn {

// The open documents as a window that works on all of them (find in files) sees them: their
// texts, a change to one of them as one undo step, and opening a file among them.
class DocumentSet {
public:
    virtual ~DocumentSet();

    struct Text {
        quint64 id = 0; // as CurrentDocument::id() names it
        QString name;   // the name on its tab
        QString path;   // empty for a document without a file
        QByteArray utf8;
    };
    // The texts of the open documents, in tab order.
    virtual QList<Text> openTexts() = 0;
    // Makes `replacements` in the open document `id` as one step its user can undo; false
    // when it was closed.
    virtual bool replaceIn(quint64 id, const QList<CurrentDocument::Replacement>& replacements) = 0;
    // The open document of the file at `path`, opened now when it is not open yet; 0 when it
    // could not be opened.
    virtual quint64 open(const QString& path) = 0;
};

} // namespace Quillorn
