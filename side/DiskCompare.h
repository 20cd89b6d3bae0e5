#pragma once

#include "documents/DocumentToolContext.h"

#include <QObject>
#include <QPointer>

namespace Quillorn {

class CompareWindow;

// The command that compares the current document with its file on disk, read in the document's
// encoding through the file layer, and shows the differences (or says there are none).
class DiskCompare : public QObject {
    Q_OBJECT
public:
    using Context = DocumentToolContext;

    explicit DiskCompare(const Context& context, QObject* parent = nullptr);

    void compareCurrent();

private:
    Context m_context;
    QPointer<CompareWindow> m_window;
};

} // namespace Quillorn
