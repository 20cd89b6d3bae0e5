#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace Quillorn {

// One button of the tag tool bar: what it puts into the editor, and how it shows itself.
// The table of all buttons, in the order of their indices, comes from table().
struct ToolbarAction {
    enum class Kind {
        InsertTag,     // `text` is an element name wrapped around the selection
        Insert,        // `text` replaces the selection
        Wrap,          // `text`, the selected text and `closing` replace the selection
        Prompted,      // `text` is a pattern whose {1}, {2}, ... are asked for with `prompts`
                       // and whose {sel} is the selected text
        ReferenceTree, // `text` is a reference-tree file below the "languages" folder
        Font           // the font chooser gives the text
    };

    Kind kind = Kind::Insert;
    QString text;
    QString closing;
    QStringList prompts;
    // A few characters standing for the button where its picture is missing.
    QString label;
    QString toolTip;

    // The 37 buttons, index 0 to 36.
    static QList<ToolbarAction> table();
    static constexpr int count = 37;
};

} // namespace Quillorn
