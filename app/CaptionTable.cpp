#include "app/CaptionTable.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>

namespace Quillorn {

const QList<CaptionTable::Entry>& CaptionTable::entries()
{
    static const QList<Entry> table{
        {"Menu1", 0, ""},
        {"Tools", 1, ""},
        {"Settings", 2, ""},
        {"HelpMnu", 3, ""},
        {"OpnNew", 4, ""},
        {"OpenOld", 5, ""},
        {"SaveHtml", 6, ""},
        {"Quit", 7, ""},
        {"VisEd", 8, ""},
        {"Chk", 9, " HTML-Tidy"},
        {"Insert_Tag", 10, ""},
        {"ChangeLanguage", 11, ""},
        {"About", 12, ""},
        {"PreviewMode0", 13, ""},
        {"PreviewMode1", 14, ""},
        {"view_browse", 14, ""},
        {"Edit", 38, ""},
        {"Fnd", 39, ""},
        {"repl", 40, ""},
        {"Undo", 52, ""},
        {"SaveHtmlAs", 53, ""},
        {"ClsW", 71, ""},
        {"PlugIns", 92, ""},
        {"repByTidy", 93, ""},
        {"ChkByTidy", 94, ""},
        {"ConvToXML", 95, ""},
        {"ConvToHTML", 96, ""},
        {"ConvToXHTML", 97, ""},
        {"TagsToUpperCase", 98, ""},
        {"TagPanel", 99, ""},
        {"REDIT", 100, ""},
        {"Wrap", 101, ""},
        {"extensions", 102, ""},
        {"HELP", 103, ""},
        {"Prnt", 114, ""},
        {"Add_Template", 115, ""},
        {"Redo", 118, ""},
        {"Save_projas", 119, ""},
        {"Save_All", 120, ""},
        {"CloseAllWnd", 121, ""},
        {"Add2Proj", 130, ""},
        {"save_session", 134, ""},
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
