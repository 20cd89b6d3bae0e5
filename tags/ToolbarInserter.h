#pragma once

#include <QString>
#include <QStringList>

namespace Quillorn {

class LangStrings;
class Prompter;
class TagTarget;
struct FontChoice;
struct ToolbarAction;

// Carries out the tag tool bar's text actions on the editor: element names, fixed snippets,
// snippets around the selection, and snippets whose values the user is asked for.
class ToolbarInserter {
public:
    // Prompts are worded from `strings`.
    ToolbarInserter(TagTarget& target, Prompter& prompter, const LangStrings& strings);

    // Runs an InsertTag, Insert, Wrap or Prompted action. False when nothing was inserted:
    // a prompt was cancelled, or the action is of a kind that needs a window of its own.
    bool run(const ToolbarAction& action);

    // Replaces the selection with the font element of `choice` around it.
    void insertFont(const FontChoice& choice);

    // `pattern` with {1}, {2}, ... replaced by `values` and {sel} by `selection`. The values
    // are put in as they are: a value holding "{2}" stays "{2}".
    static QString fill(const QString& pattern, const QStringList& values,
                        const QString& selection);

private:
    TagTarget& m_target;
    Prompter& m_prompter;
    const LangStrings& m_strings;
};

} // namespace Quillorn
