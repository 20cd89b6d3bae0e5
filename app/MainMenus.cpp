#include "app/MainMenus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace Quillorn {

namespace {

QMenu* addMenu(QWidget* parent, const char* name, const QString& title)
{
    auto* menu = new QMenu(title, parent);
    menu->setObjectName(QLatin1String(name));
    if (auto* bar = qobject_cast<QMenuBar*>(parent))
        bar->addMenu(menu);
    else if (auto* owner = qobject_cast<QMenu*>(parent))
        owner->addMenu(menu);
    return menu;
}

QAction* addCommand(QMenu* menu, const char* name, const QString& caption,
                    const QKeySequence& shortcut = {})
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

QAction* addCheck(QMenu* menu, const char* name, const QString& caption, bool checked)
{
    QAction* action = addCommand(menu, name, caption);
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

} // namespace

MainMenus::MainMenus(QMenuBar* bar)
{
    menu1 = addMenu(bar, "Menu1", QStringLiteral("Main"));
    opnNew = addCommand(menu1, "OpnNew", QStringLiteral("New"), QKeySequence::New);
    openOld = addCommand(menu1, "OpenOld", QStringLiteral("Open"), QKeySequence::Open);
    saveHtml = addCommand(menu1, "SaveHtml", QStringLiteral("Save"), QKeySequence::Save);
    saveHtmlAs = addCommand(menu1, "SaveHtmlAs", QStringLiteral("Save as ..."),
                            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    saveAll = addCommand(menu1, "Save_All", QStringLiteral("Save all files"));
    saveSession = addCommand(menu1, "save_session", QStringLiteral("Save session"));
    saveProjAs = addCommand(menu1, "Save_projas", QStringLiteral("Save project..."));
    prnt = addCommand(menu1, "Prnt", QStringLiteral("Print"), QKeySequence::Print);
    printPreview = addCommand(menu1, "PrintPreview", QStringLiteral("Print preview"));
    compareWithDisk =
        addCommand(menu1, "CompareWithDisk", QStringLiteral("Compare with file on disk"));
    menu1->addSeparator();
    for (int i = 0; i < 6; ++i) {
        QAction* entry = addCommand(menu1, "LstOpn", QString());
        entry->setObjectName(QStringLiteral("LstOpn(%1)").arg(i));
        entry->setVisible(false);
        lstOpn.append(entry);
    }
    recentSeparator = menu1->addSeparator();
    clsW =
        addCommand(menu1, "ClsW", QStringLiteral("Close tab"), QKeySequence(Qt::CTRL | Qt::Key_W));
    closeAllWnd = addCommand(menu1, "CloseAllWnd", QStringLiteral("Close all windows"));
    quit = addCommand(menu1, "Quit", QStringLiteral("Exit"), QKeySequence(Qt::CTRL | Qt::Key_Q));

    edit = addMenu(bar, "Edit", QStringLiteral("Edit"));
    undo = addCommand(edit, "Undo", QStringLiteral("Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    redo = addCommand(edit, "Redo", QStringLiteral("Redo"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    fnd = addCommand(edit, "Fnd", QStringLiteral("Find"), QKeySequence(Qt::CTRL | Qt::Key_F));
    repl = addCommand(edit, "repl", QStringLiteral("Replace"), QKeySequence(Qt::CTRL | Qt::Key_H));
    wrap = addCheck(edit, "Wrap", QStringLiteral("Carry by words"), false);
    goToLine = addCommand(edit, "GoToLine", QStringLiteral("Go to line..."),
                          QKeySequence(Qt::CTRL | Qt::Key_G));
    toggleComment = addCommand(edit, "ToggleComment", QStringLiteral("Comment / uncomment"),
                               QKeySequence(Qt::CTRL | Qt::Key_Slash));
    findInFiles = addCommand(edit, "FindInFiles", QStringLiteral("Find in files..."),
                             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
    expandAbbreviation =
        addCommand(edit, "ExpandAbbreviation", QStringLiteral("Expand abbreviation"),
                   QKeySequence(Qt::CTRL | Qt::Key_E));
    edit->addSeparator();
    foldAll = addCommand(edit, "FoldAll", QStringLiteral("Fold all"));
    unfoldAll = addCommand(edit, "UnfoldAll", QStringLiteral("Unfold all"));
    codeFolding = addCheck(edit, "CodeFolding", QStringLiteral("Code folding"), true);
    matchingTag = addCommand(edit, "MatchingTag", QStringLiteral("Go to matching tag"),
                             QKeySequence(Qt::CTRL | Qt::Key_M));
    highlightMatching =
        addCheck(edit, "HighlightMatching", QStringLiteral("Highlight matching tags"), true);
    completeClosingTags =
        addCheck(edit, "CompleteClosingTags", QStringLiteral("Complete closing tags"), true);
    addClosingTags = addCheck(edit, "AddClosingTags", QStringLiteral("Add closing tags"), false);

    tools = addMenu(bar, "Tools", QStringLiteral("Tools"));
    visEd = addCommand(tools, "VisEd", QStringLiteral("Visual Editor"));
    chk = addCommand(tools, "Chk", QStringLiteral("Check document HTML-Tidy"));
    insertTag = addCommand(tools, "Insert_Tag", QStringLiteral("Insert tag"));
    setNum = addCheck(tools, "setNum", QStringLiteral("Line numbers"), true);
    tagPanel = addCheck(tools, "TagPanel", QStringLiteral("Tags panel"), false);
    phpReference = addCommand(tools, "phpReference", QStringLiteral("PHP functions reference"));
    redit = addCommand(tools, "REDIT", QStringLiteral("Text editor"));
    addTemplate = addCommand(tools, "Add_Template", QStringLiteral("Add to templates"));
    add2Proj = addCommand(tools, "Add2Proj", QStringLiteral("Add file to project"));
    viewBrowse = addCommand(tools, "view_browse", QStringLiteral("View in browser"));
    showInPreview = addCommand(tools, "ShowInPreview", QStringLiteral("Show in preview"),
                               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    nextCheckResult = addCommand(tools, "NextCheckResult", QStringLiteral("Next check result"),
                                 QKeySequence(Qt::Key_F8));
    previousCheckResult =
        addCommand(tools, "PreviousCheckResult", QStringLiteral("Previous check result"),
                   QKeySequence(Qt::SHIFT | Qt::Key_F8));
    checkAfterSaving =
        addCheck(tools, "CheckAfterSaving", QStringLiteral("Check after saving"), false);
    plugIns = addMenu(tools, "PlugIns", QStringLiteral("Plug-Ins"));
    mplug = addCommand(plugIns, "mplug(0)", QString());
    mplug->setVisible(false);
    htmlTidy = addMenu(tools, "htmlTidy", QStringLiteral("HTML-Tidy"));
    repByTidy = addCommand(htmlTidy, "repByTidy", QStringLiteral("Correct in HTML-Tidy"));
    chkByTidy = addCommand(htmlTidy, "ChkByTidy", QStringLiteral("Check in HTML-Tidy"));
    convToXml = addCommand(htmlTidy, "ConvToXML", QStringLiteral("Convert to XML"));
    convToHtml = addCommand(htmlTidy, "ConvToHTML", QStringLiteral("Convert to HTML"));
    convToXhtml = addCommand(htmlTidy, "ConvToXHTML", QStringLiteral("Convert to XHTML"));
    tagsToUpperCase = addCommand(htmlTidy, "TagsToUpperCase", QStringLiteral("Tags to upper case"));

    settings = addMenu(bar, "Settings", QStringLiteral("Settings"));
    changeLanguage = addCommand(settings, "ChangeLanguage", QStringLiteral("Settings"));
    extensions = addCommand(settings, "extensions", QStringLiteral("Extensions"));
    phpMenu = addMenu(settings, "phpMenu", QStringLiteral("PHP"));
    phpExe = addCommand(phpMenu, "phpEXE", QStringLiteral("Execute"));
    phpCheck = addCommand(phpMenu, "phpCheck", QStringLiteral("Check syntax"));
    phpHighlight = addCommand(phpMenu, "phpHighlight", QStringLiteral("HighLight code"));
    phpCompact = addCommand(phpMenu, "phpCompact", QStringLiteral("Compact"));
    externalSeparator = settings->addSeparator();

    helpMnu = addMenu(bar, "HelpMnu", QStringLiteral("Help"));
    help = addCommand(helpMnu, "HELP", QStringLiteral("Help"), QKeySequence(Qt::Key_F1));
    about = addCommand(helpMnu, "About", QStringLiteral("About"));
}

} // namespace Quillorn
