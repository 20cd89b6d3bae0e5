#pragma once

#include "documents/DocumentToolContext.h"

#include "visual/FormDesign.h"

#include <QWidget>

#include <array>

class QAction;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace Quillorn {

class FormSurface;

// The visual editor's tool window: the palette of element kinds, the body to place them on,
// the selected element's properties, the commands (undo, copy, open and save a design...) and
// Insert to Code, which puts the form's HTML at the document's caret.
class VisualEditorWindow : public QWidget {
    Q_OBJECT
public:
    using Context = DocumentToolContext;

    explicit VisualEditorWindow(const Context& context);

    void open();
    // Looks the captions up again (after a language change).
    void applyCaptions();

    FormDesign& design() { return m_design; }
    FormSurface* surface() const { return m_surface; }

    void insertToCode();
    void openForm();
    void saveForm();
    void copy();
    void paste();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* makePalette();
    QWidget* makeProperties();
    QAction* addCommand(const QKeySequence& keys, void (VisualEditorWindow::*slot)());
    void choosePlacing(int kind, bool checked);
    // Fills the properties from the one selected element; empty and disabled otherwise.
    void showProperties();
    // Makes the edited properties the selected element's, as one step.
    void applyProperties();
    void applyUnits();
    void deleteSelection();
    void undo();
    void redo();
    void selectAll();
    void allToPercent();

    Context m_context;
    FormDesign m_design;
    QList<FormElement> m_clipboard;
    int m_pasteCount = 0;

    FormSurface* m_surface;
    QGroupBox* m_paletteBox;
    std::array<QToolButton*, FormElement::KindCount> m_kinds{};
    QGroupBox* m_bodyBox;
    QCheckBox* m_snap;
    QGroupBox* m_propertiesBox;
    QWidget* m_propertyFields;
    QLabel* m_typeLabel;
    QLabel* m_type;
    QLabel* m_nameLabel;
    QLineEdit* m_name;
    QLabel* m_leftLabel;
    QDoubleSpinBox* m_left;
    QLabel* m_topLabel;
    QDoubleSpinBox* m_top;
    QLabel* m_widthLabel;
    QDoubleSpinBox* m_width;
    QLabel* m_heightLabel;
    QDoubleSpinBox* m_height;
    QCheckBox* m_horizontalPercent;
    QCheckBox* m_verticalPercent;
    QLabel* m_valueLabel;
    QLineEdit* m_value;
    QLabel* m_colorLabel;
    QLineEdit* m_color;
    QLabel* m_stateLabel;
    QComboBox* m_state;
    QLabel* m_listLabel;
    QPlainTextEdit* m_list;
    QLabel* m_listHint;
    QPushButton* m_insert;

    QAction* m_openAction;
    QAction* m_saveAction;
    QAction* m_undoAction;
    QAction* m_redoAction;
    QAction* m_copyAction;
    QAction* m_pasteAction;
    QAction* m_deleteAction;
    QAction* m_selectAllAction;
    QAction* m_percentAction;
};

} // namespace Quillorn
