#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace Quillorn {

class LangStrings;
class Prompter;

// The "Projects" window of "Save project...": the user moves open documents into a project
// list and saves that list as a ".qlp" file.
class ProjectsWindow : public QDialog {
    Q_OBJECT

public:
    // An open document as the window lists it.
    struct OpenDocument {
        int slot;
        QString caption; // the tab's caption
        QString path;    // empty for a document without a file
        bool saved;
    };

    ProjectsWindow(const QList<OpenDocument>& documents, const LangStrings& strings,
                   Prompter& prompter, const QString& language, QWidget* parent = nullptr);

    // The text of a list entry: the caption, four tabs and the slot number.
    static QString entryText(const OpenDocument& document);
    // The slot number written after the four tabs of an entry, -1 when there is none.
    static int slotOfEntry(const QString& text);

    QListWidget* openedList() const { return m_opened; }
    QListWidget* projectList() const { return m_project; }
    QLabel* pathLabel() const { return m_path; }
    QLineEdit* targetBox() const { return m_target; }
    // Buttons 0 add, 1 remove, 2 choose the target file, 3 save.
    QPushButton* button(int index) const { return m_buttons.value(index); }

private:
    const OpenDocument* documentOf(const QListWidgetItem* item) const;
    void showPath(const QListWidgetItem* item);
    void addToProject();
    void removeFromProject();
    void chooseTarget();
    void saveProject();

    QList<OpenDocument> m_documents;
    const LangStrings& m_strings;
    Prompter& m_prompter;
    QString m_language;
    QListWidget* m_opened;
    QListWidget* m_project;
    QLabel* m_path;
    QLineEdit* m_target;
    QList<QPushButton*> m_buttons;
};

} // namespace Quillorn
