#pragma once

#include "documents/TemplateStore.h"

#include <QDialog>
#include <QIcon>
#include <QString>

class QComboBox;
class QListWidget;

namespace Quillorn {

class LangStrings;

// The template chooser "Form1" of the command "New": the templates with their icons in a
// scrollable grid, a drop-down of document types for a blank document, and OK.
class TemplateChooser : public QDialog {
    Q_OBJECT

public:
    struct Choice {
        QString extension;    // of the new document's name "unknown" + extension
        QString templatePath; // empty for a blank document
        QIcon icon;           // the template's icon; null for a blank document (its kind's)
        QString text;         // the template's text, lines joined with CR LF
    };

    TemplateChooser(const QString& appDir, const LangStrings& strings, const QString& language,
                    QWidget* parent = nullptr);

    // What OK chose; meaningful after the dialog was accepted.
    const Choice& choice() const { return m_choice; }

    // Extension of drop-down entry `index` (0 HTML, 1 JavaScript, 2 CSS, 3 PHP), empty for
    // none.
    static QString typeExtension(int index);

    QListWidget* templateList() const { return m_list; }
    QComboBox* typeBox() const { return m_types; }

private:
    void fill();
    void choose();

    TemplateStore m_store;
    QString m_language;
    QListWidget* m_list;
    QComboBox* m_types;
    Choice m_choice;
};

} // namespace Quillorn
