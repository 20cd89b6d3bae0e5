#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace Quillorn {

class CompareWindow;
class CurrentDocument;
class LangStrings;
class Prompter;

// The command that compares the current document with its file on disk, read in the document's
// encoding through the file layer, and shows the differences (or says there are none).
class DiskCompare : public QObject {
    Q_OBJECT
public:
    struct Context {
        const LangStrings& strings;
        Prompter& prompter;
        CurrentDocument& document;
        QWidget* window; // the comparison window's parent
    };

    explicit DiskCompare(const Context& context, QObject* parent = nullptr);

    void compareCurrent();

private:
    Context m_context;
    QPointer<CompareWindow> m_window;
};

} // namespace Quillorn
