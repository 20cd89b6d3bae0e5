#pragma once

#include <QList>

class QAction;
class QMenu;
class QMenuBar;
class QObject;

namespace Quillorn {

// The main window's menus and commands, in their order, with their control names as object
// names (the captions are set from the string table afterwards).
struct MainMenus {
    explicit MainMenus(QMenuBar* bar);

    QMenu* menu1;
    QAction* opnNew;
    QAction* openOld;
    QAction* saveHtml;
    QAction* saveHtmlAs;
    QAction* saveAll;
    QAction* saveSession;
    QAction* saveProjAs;
    QAction* prnt;
    QAction* printPreview;
    QAction* compareWithDisk;
    QAction* recentSeparator;
    QList<QAction*> lstOpn; // recent files 0..5
    QAction* clsW;
    QAction* closeAllWnd;
    QAction* quit;

    QMenu* edit;
    QAction* undo;
    QAction* redo;
    QAction* fnd;
    QAction* repl;
    QAction* wrap;
    QAction* goToLine;
    QAction* toggleComment;
    QAction* findInFiles;
    QAction* expandAbbreviation;
    QAction* foldAll;
    QAction* unfoldAll;
    QAction* codeFolding;
    QAction* matchingTag;
    QAction* highlightMatching;
    QAction* completeClosingTags;
    QAction* addClosingTags;

    QMenu* tools;
    QAction* visEd;
    QAction* chk;
    QAction* insertTag;
    QAction* setNum;
    QAction* tagPanel;
    QAction* phpReference;
    QAction* redit;
    QAction* addTemplate;
    QAction* add2Proj;
    QAction* viewBrowse;
    QAction* showInPreview;
    QAction* nextCheckResult;
    QAction* previousCheckResult;
    QAction* checkAfterSaving;
    QMenu* plugIns;
    QAction* mplug; // mplug(0), the first plug-in entry: hidden until a plug-in takes it
    QMenu* htmlTidy;
    QAction* repByTidy;
    QAction* chkByTidy;
    QAction* convToXml;
    QAction* convToHtml;
    QAction* convToXhtml;
    QAction* tagsToUpperCase;

    QMenu* settings;
    QAction* changeLanguage;
    QAction* extensions;
    QMenu* phpMenu;
    QAction* phpExe;
    QAction* phpCheck;
    QAction* phpHighlight;
    QAction* phpCompact;
    QAction* externalSeparator;

    QMenu* helpMnu;
    QAction* help;
    QAction* about;
};

} // namespace Quillorn
