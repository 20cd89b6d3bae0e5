#include "app/CaptionTable.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>

namespace Quillorn {

const QList<CaptionTable::Entry>& CaptionTable::entries()
{
    static const QList<Entry> table{
        {"Menu1", Str::MenuMain, ""},
        {"Tools", Str::MenuTools, ""},
        {"Settings", Str::MenuSettings, ""},
        {"HelpMnu", Str::MenuHelp, ""},
        {"OpnNew", Str::New, ""},
        {"OpenOld", Str::Open, ""},
        {"SaveHtml", Str::Save, ""},
        {"Quit", Str::Exit, ""},
        {"VisEd", Str::VisualEditor, ""},
        {"Chk", Str::CheckDocument, " HTML-Tidy"},
        {"Insert_Tag", Str::InsertTag, ""},
        {"ChangeLanguage", Str::SettingsCommand, ""},
        {"About", Str::About, ""},
        {"PreviewMode0", Str::HtmlCode, ""},
        {"PreviewMode1", Str::ViewInBrowser, ""},
        {"view_browse", Str::ViewInBrowser, ""},
        {"Edit", Str::MenuEdit, ""},
        {"Fnd", Str::Find, ""},
        {"repl", Str::Replace, ""},
        {"Undo", Str::Undo, ""},
        {"SaveHtmlAs", Str::SaveAs, ""},
        {"ClsW", Str::CloseTab, ""},
        {"PlugIns", Str::PlugIns, ""},
        {"repByTidy", Str::CorrectInTidy, ""},
        {"ChkByTidy", Str::CheckInTidy, ""},
        {"ConvToXML", Str::ConvertToXml, ""},
        {"ConvToHTML", Str::ConvertToHtml, ""},
        {"ConvToXHTML", Str::ConvertToXhtml, ""},
        {"TagsToUpperCase", Str::TagsToUpperCase, ""},
        {"TagPanel", Str::TagsPanel, ""},
        {"REDIT", Str::TextEditor, ""},
        {"Wrap", Str::CarryByWords, ""},
        {"extensions", Str::Extensions, ""},
        {"HELP", Str::HelpCommand, ""},
        {"Prnt", Str::Print, ""},
        {"Add_Template", Str::AddToTemplates, ""},
        {"Redo", Str::Redo, ""},
        {"Save_projas", Str::SaveProject, ""},
        {"Save_All", Str::SaveAllFiles, ""},
        {"CloseAllWnd", Str::CloseAllWindows, ""},
        {"Add2Proj", Str::AddFileToProject, ""},
        {"save_session", Str::SaveSession, ""},
        {"setNum", Str::LineNumbers, ""},
        {"phpReference", Str::PhpFunctionsReference, ""},
        {"PrintPreview", Str::PrintPreview, ""},
        {"CompareWithDisk", Str::CompareWithDisk, ""},
        {"GoToLine", Str::GoToLine, ""},
        {"ToggleComment", Str::ToggleComment, ""},
        {"FindInFiles", Str::FindInFiles, ""},
        {"FoldAll", Str::FoldAll, ""},
        {"UnfoldAll", Str::UnfoldAll, ""},
        {"CodeFolding", Str::CodeFolding, ""},
        {"MatchingTag", Str::MatchingTag, ""},
        {"HighlightMatching", Str::HighlightMatching, ""},
        {"CompleteClosingTags", Str::CompleteClosingTags, ""},
        {"AddClosingTags", Str::AddClosingTags, ""},
        {"ExpandAbbreviation", Str::ExpandAbbreviation, ""},
        {"ShowInPreview", Str::ShowInPreview, ""},
        {"NextCheckResult", Str::NextCheckResult, ""},
        {"PreviousCheckResult", Str::PreviousCheckResult, ""},
        {"CheckAfterSaving", Str::CheckAfterSaving, ""},
    };
    return table;
}

int CaptionTable::apply(QObject* root, const LangStrings& strings)
{
    int applied = 0;
    for (const Entry& entry : entries()) {
        const auto text = strings.text(entry.string);
        if (!text)
            continue;
        const QString caption = *text + QLatin1String(entry.suffix);
        QObject* target = root->findChild<QObject*>(QLatin1String(entry.control));
        if (auto* menu = qobject_cast<QMenu*>(target))
            menu->setTitle(caption);
        else if (auto* action = qobject_cast<QAction*>(target))
            action->setText(caption);
        else if (auto* button = qobject_cast<QAbstractButton*>(target))
            button->setText(caption);
        else
            continue;
        ++applied;
    }
    return applied;
}

} // namespace Quillorn
