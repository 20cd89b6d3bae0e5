#pragma once

#include "documents/LineDiff.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;

namespace Quillorn {

class LangStrings;

// Shows how the text in the editor differs from its file on disk: the changed lines marked
// "-" (only on disk) and "+" (only in the editor) on coloured grounds, with their line numbers
// and a few unchanged lines around them.
class CompareWindow : public QDialog {
    Q_OBJECT
public:
    explicit CompareWindow(QWidget* parent = nullptr);

    void show(const LangStrings& strings, const QString& path, const LineDiff::Result& result);
    // The listing as shown, one line per line of the comparison.
    QString listing() const;

private:
    QLabel* m_legend;
    QPlainTextEdit* m_view;
};

} // namespace Quillorn
