#pragma once

#include "documents/FolderSearch.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace Quillorn {

class CurrentDocument;
class DocumentSet;
class LangStrings;
class Prompter;
struct Settings;

// The find in files window: searches the open documents, or the files of a folder, for a word
// or a regular expression, lists every match by file and line, goes to a match on a double
// click, and replaces the matches in the open documents.
class FindInFilesWindow : public QWidget {
    Q_OBJECT

public:
    // Files are decoded for the interface language of `settings`.
    FindInFilesWindow(const LangStrings& strings, const Settings& settings, Prompter& prompter,
                      CurrentDocument& document, DocumentSet& documents, QWidget* parent = nullptr);

    // Shows the window with the selected word (a short single line) ready to search for.
    void open();
    // Looks the captions up again (after a language change).
    void applyCaptions();

    // The buttons' actions.
    void find();
    void replaceInOpen();
    // Cancels a folder search that runs, or closes the window.
    void cancel();
    // Goes to the match of `item`: the open document, or the file opened first.
    void goToResult(QTreeWidgetItem* item);

    bool isSearching() const { return m_search.isRunning(); }
    QTreeWidget* results() const { return m_results; }
    QString statusText() const;

Q_SIGNALS:
    // A search is over and its matches are listed.
    void searchFinished();

private:
    // The options the boxes give; false (after saying why) when the expression is not valid.
    bool readOptions(TextFinder::Options* options);
    // Appends to `rows` a row for each of `matches` in the file at `path` (or the open document
    // `id`), and counts them.
    void addRows(QList<QTreeWidgetItem*>& rows, const QString& path, quint64 id,
                 const QList<TextFinder::Match>& matches);
    // Adds `rows` to the list in one go.
    void listRows(const QList<QTreeWidgetItem*>& rows);
    void showResult();
    void setSearching(bool searching);

    const LangStrings& m_strings;
    const Settings& m_settings;
    Prompter& m_prompter;
    CurrentDocument& m_document;
    DocumentSet& m_documents;
    FolderSearch m_search;
    int m_matchCount = 0;
    int m_fileCount = 0;

    QLabel* m_findLabel;
    QLineEdit* m_find;
    QLabel* m_replaceLabel;
    QLineEdit* m_replacement;
    QLabel* m_searchInLabel;
    QRadioButton* m_inOpen;
    QRadioButton* m_inFolder;
    QLineEdit* m_folder;
    QPushButton* m_browse;
    QLabel* m_filterLabel;
    QLineEdit* m_filter;
    QCheckBox* m_matchCase;
    QCheckBox* m_wholeWords;
    QCheckBox* m_regularExpression;
    QPushButton* m_findButton;
    QPushButton* m_replaceButton;
    QPushButton* m_cancelButton;
    QTreeWidget* m_results;
    QLabel* m_status;
};

} // namespace Quillorn
