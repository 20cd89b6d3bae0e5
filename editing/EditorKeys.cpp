#include "editing/EditorKeys.h"

namespace Quillorn {

namespace {

Qt::KeyboardModifiers plain(Qt::KeyboardModifiers modifiers)
{
    return modifiers &
           (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool isTab(int key)
{
    return key == Qt::Key_Tab || key == Qt::Key_Backtab;
}

} // namespace

EditorKeys::Command EditorKeys::command(int key, Qt::KeyboardModifiers modifiers,
                                        bool completionOpen)
{
    const auto mods = plain(modifiers);
    const bool enter = isEnter(key);
    const bool ctrl = mods & Qt::ControlModifier;
    const bool shift = mods & Qt::ShiftModifier;

    if (completionOpen) {
        if (enter)
            return Command::AcceptCompletion;
        if (key == Qt::Key_Down)
            return Command::NextCompletion;
        if (key == Qt::Key_Up)
            return Command::PreviousCompletion;
        if (key == Qt::Key_Escape)
            return Command::CloseCompletion;
    }
    if (mods & (Qt::AltModifier | Qt::MetaModifier))
        return Command::None;
    if (enter && shift && !ctrl)
        return Command::Paragraph;
    if (ctrl && isTab(key))
        return shift || key == Qt::Key_Backtab ? Command::PreviousTab : Command::NextTab;
    if (ctrl && !shift && key >= Qt::Key_1 && key <= Qt::Key_6)
        return Command::Heading;
    if (ctrl && !shift && enter)
        return Command::LineBreak;
    if (ctrl && !shift && key == Qt::Key_Space)
        return Command::NonBreakingSpace;
    if ((ctrl && !shift && key == Qt::Key_V) || (shift && !ctrl && key == Qt::Key_Insert))
        return Command::PastePlainText;
    if (ctrl && !shift && key == Qt::Key_B)
        return Command::BoldEntry;
    if (enter && !ctrl && !shift)
        return Command::IndentedLineEnd;
    if (!ctrl && isTab(key))
        return Command::Tab;
    return Command::None;
}

bool EditorKeys::isOwned(int key, Qt::KeyboardModifiers modifiers, bool completionOpen)
{
    const auto mods = plain(modifiers);
    const bool ctrl = mods == Qt::ControlModifier;
    return (ctrl && (key == Qt::Key_B || key == Qt::Key_V || key == Qt::Key_Space || isEnter(key) ||
                     (key >= Qt::Key_1 && key <= Qt::Key_6))) ||
           ((mods & Qt::ControlModifier) && isTab(key)) ||
           (mods == Qt::ShiftModifier && (isEnter(key) || key == Qt::Key_Insert)) ||
           (completionOpen &&
            (isEnter(key) || key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Escape));
}

} // namespace Quillorn
