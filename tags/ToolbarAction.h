#pragma once

#include "platform/Str.h"

#include <QList>
#include <QString>

namespace Quillorn {

// One button of the tag tool bar: what it puts into the editor, and how it shows itself.
// The table of all buttons, in the order of their indices, comes from table(); the texts a
// user reads are named by interface string, looked up when shown.
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
    QList<Str> prompts;
    // A few characters standing for the button where its picture is missing.
    QString label;
    // The button's tool tip, also its text in the tool bar's overflow menu.
    Str toolTip{};

    // The 37 buttons, index 0 to 36.
    static QList<ToolbarAction> table();
    static constexpr int count = 37;
};

} // namespace Quillorn
