#include "visual/VisualEditorWindow.h"

#include "documents/CurrentDocument.h"
#include "platform/LangStrings.h"
#include "platform/Prompter.h"
#include "platform/WindowPlacement.h"
#include "visual/FormFile.h"
#include "visual/FormHtmlWriter.h"
#include "visual/FormSurface.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSet>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <vector>

namespace Quillorn {

namespace {

constexpr double MaxMetric = 100000.0;

QDoubleSpinBox* metricBox(QWidget* parent)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setRange(0, MaxMetric);
    // One step per value the user settles on, not one per digit typed.
    box->setKeyboardTracking(false);
    return box;
}

} // namespace

VisualEditorWindow::VisualEditorWindow(const Context& context)
    : QWidget(context.window, Qt::Tool)
    , m_context(context)
    , m_surface(new FormSurface(m_design, this))
    , m_snap(new QCheckBox(this))
    , m_insert(new QPushButton(this))
{
    auto* commands = new QToolBar(this);
    m_openAction = addCommand(QKeySequence::Open, &VisualEditorWindow::openForm);
    m_saveAction = addCommand(QKeySequence::Save, &VisualEditorWindow::saveForm);
    m_undoAction = addCommand(QKeySequence(Qt::CTRL | Qt::Key_Z), &VisualEditorWindow::undo);
    m_redoAction = addCommand(QKeySequence(Qt::CTRL | Qt::Key_Y), &VisualEditorWindow::redo);
    m_copyAction = addCommand(QKeySequence::Copy, &VisualEditorWindow::copy);
    m_pasteAction = addCommand(QKeySequence::Paste, &VisualEditorWindow::paste);
    m_deleteAction = addCommand(QKeySequence::Delete, &VisualEditorWindow::deleteSelection);
    m_selectAllAction = addCommand(QKeySequence::SelectAll, &VisualEditorWindow::selectAll);
    m_percentAction = addCommand({}, &VisualEditorWindow::allToPercent);
    commands->addActions({m_openAction, m_saveAction});
    commands->addSeparator();
    commands->addActions({m_undoAction, m_redoAction});
    commands->addSeparator();
    commands->addActions({m_copyAction, m_pasteAction, m_deleteAction, m_selectAllAction});
    commands->addSeparator();
    commands->addAction(m_percentAction);
    commands->addSeparator();
    commands->addWidget(m_snap);

    m_bodyBox = new QGroupBox(this);
    auto* scroll = new QScrollArea(m_bodyBox);
    scroll->setWidget(m_surface);
    scroll->setWidgetResizable(true);
    auto* bodyLayout = new QVBoxLayout(m_bodyBox);
    bodyLayout->addWidget(scroll);

    auto* middle = new QHBoxLayout;
    middle->addWidget(makePalette());
    middle->addWidget(m_bodyBox, 1);
    middle->addWidget(makeProperties());

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(m_insert);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(commands);
    layout->addLayout(middle, 1);
    layout->addLayout(bottom);

    m_snap->setChecked(true);
    m_undoAction->setEnabled(false);
    m_redoAction->setEnabled(false);
    QUndoStack& stack = m_design.undoStack();
    connect(&stack, &QUndoStack::canUndoChanged, m_undoAction, &QAction::setEnabled);
    connect(&stack, &QUndoStack::canRedoChanged, m_redoAction, &QAction::setEnabled);
    connect(m_snap, &QCheckBox::toggled, m_surface, &FormSurface::setSnapToGrid);
    connect(m_insert, &QPushButton::clicked, this, &VisualEditorWindow::insertToCode);
    connect(m_surface, &FormSurface::selectionChanged, this, &VisualEditorWindow::showProperties);
    connect(m_surface, &FormSurface::placingEnded, this, [this] { choosePlacing(-1, false); });
    connect(&m_design, &FormDesign::changed, this, &VisualEditorWindow::showProperties);

    resize(1180, 720);
    WindowPlacement::keepOverParent(this);
    applyCaptions();
    showProperties();
}

QAction* VisualEditorWindow::addCommand(const QKeySequence& keys,
                                        void (VisualEditorWindow::*slot)())
{
    auto* action = new QAction(this);
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
    connect(action, &QAction::triggered, this, slot);
    return action;
}

QWidget* VisualEditorWindow::makePalette()
{
    m_paletteBox = new QGroupBox(this);
    auto* layout = new QVBoxLayout(m_paletteBox);
    for (int kind = 0; kind < FormElement::KindCount; ++kind) {
        auto* button = new QToolButton(m_paletteBox);
        button->setCheckable(true);
        button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        button->setObjectName(FormElement::kindKey(FormElement::Kind(kind)));
        connect(button, &QToolButton::clicked, this,
                [this, kind](bool checked) { choosePlacing(kind, checked); });
        layout->addWidget(button);
        m_kinds[kind] = button;
    }
    layout->addStretch();
    return m_paletteBox;
}

QWidget* VisualEditorWindow::makeProperties()
{
    m_propertiesBox = new QGroupBox(this);
    m_propertyFields = new QWidget(m_propertiesBox);
    auto* boxLayout = new QVBoxLayout(m_propertiesBox);
    boxLayout->addWidget(m_propertyFields);
    boxLayout->addStretch();

    QWidget* p = m_propertyFields;
    m_typeLabel = new QLabel(p);
    m_type = new QLabel(p);
    m_nameLabel = new QLabel(p);
    m_name = new QLineEdit(p);
    m_leftLabel = new QLabel(p);
    m_left = metricBox(p);
    m_topLabel = new QLabel(p);
    m_top = metricBox(p);
    m_widthLabel = new QLabel(p);
    m_width = metricBox(p);
    m_heightLabel = new QLabel(p);
    m_height = metricBox(p);
    m_horizontalPercent = new QCheckBox(p);
    m_verticalPercent = new QCheckBox(p);
    m_valueLabel = new QLabel(p);
    m_value = new QLineEdit(p);
    m_colorLabel = new QLabel(p);
    m_color = new QLineEdit(p);
    m_stateLabel = new QLabel(p);
    m_state = new QComboBox(p);
    m_state->addItems({QString(), QString()});
    m_listLabel = new QLabel(p);
    m_list = new QPlainTextEdit(p);
    m_list->setTabChangesFocus(true);
    m_list->installEventFilter(this);
    m_listHint = new QLabel(p);
    m_listHint->setWordWrap(true);

    auto* grid = new QGridLayout(p);
    grid->setContentsMargins(0, 0, 0, 0);
    int row = 0;
    grid->addWidget(m_typeLabel, row, 0);
    grid->addWidget(m_type, row++, 1, 1, 2);
    grid->addWidget(m_nameLabel, row, 0);
    grid->addWidget(m_name, row++, 1, 1, 2);
    // Left and width share the horizontal unit, top and height the vertical one.
    grid->addWidget(m_leftLabel, row, 0);
    grid->addWidget(m_left, row, 1);
    grid->addWidget(m_horizontalPercent, row++, 2, 2, 1);
    grid->addWidget(m_widthLabel, row, 0);
    grid->addWidget(m_width, row++, 1);
    grid->addWidget(m_topLabel, row, 0);
    grid->addWidget(m_top, row, 1);
    grid->addWidget(m_verticalPercent, row++, 2, 2, 1);
    grid->addWidget(m_heightLabel, row, 0);
    grid->addWidget(m_height, row++, 1);
    grid->addWidget(m_valueLabel, row, 0);
    grid->addWidget(m_value, row++, 1, 1, 2);
    grid->addWidget(m_colorLabel, row, 0);
    grid->addWidget(m_color, row++, 1, 1, 2);
    grid->addWidget(m_stateLabel, row, 0);
    grid->addWidget(m_state, row++, 1, 1, 2);
    grid->addWidget(m_listLabel, row++, 0, 1, 3);
    grid->addWidget(m_list, row++, 0, 1, 3);
    grid->addWidget(m_listHint, row++, 0, 1, 3);

    for (QLineEdit* edit : {m_name, m_value, m_color})
        connect(edit, &QLineEdit::editingFinished, this, &VisualEditorWindow::applyProperties);
    for (QDoubleSpinBox* box : {m_left, m_top, m_width, m_height})
        connect(box, &QDoubleSpinBox::valueChanged, this, &VisualEditorWindow::applyProperties);
    connect(m_state, &QComboBox::activated, this, &VisualEditorWindow::applyProperties);
    // toggled, not clicked: a screen reader's toggle action emits only that.
    for (QCheckBox* box : {m_horizontalPercent, m_verticalPercent})
        connect(box, &QCheckBox::toggled, this, &VisualEditorWindow::applyUnits);
    return m_propertiesBox;
}

void VisualEditorWindow::applyCaptions()
{
    const LangStrings& s = m_context.strings;
    setWindowTitle(s.value(Str::VisualEditor));
    m_paletteBox->setTitle(s.value(Str::DesignerElements));
    for (int kind = 0; kind < FormElement::KindCount; ++kind)
        m_kinds[kind]->setText(s.value(FormElement::kindCaption(FormElement::Kind(kind))));
    m_bodyBox->setTitle(s.value(Str::FormBody));
    m_propertiesBox->setTitle(s.value(Str::FormProperties));
    m_snap->setText(s.value(Str::DesignerSnapToGrid));
    m_typeLabel->setText(s.value(Str::FormElementType));
    m_nameLabel->setText(s.value(Str::FormName));
    m_leftLabel->setText(s.value(Str::FormLeft));
    m_topLabel->setText(s.value(Str::FormTop));
    m_widthLabel->setText(s.value(Str::FormWidth));
    m_heightLabel->setText(s.value(Str::FormHeight));
    m_horizontalPercent->setText(s.value(Str::FormPercentage));
    m_verticalPercent->setText(s.value(Str::FormPercentage));
    m_valueLabel->setText(s.value(Str::FormValue));
    m_colorLabel->setText(s.value(Str::FormColor));
    m_stateLabel->setText(s.value(Str::FormState));
    m_state->setItemText(0, s.value(Str::FormOff));
    m_state->setItemText(1, s.value(Str::FormOn));
    m_listLabel->setText(s.value(Str::FormListItems));
    m_listHint->setText(s.value(Str::NewLineInList));
    m_list->setPlaceholderText(s.value(Str::NewLineInList));
    m_insert->setText(s.value(Str::FormInsertToCode));
    m_openAction->setText(s.value(Str::DesignerOpenForm));
    m_saveAction->setText(s.value(Str::DesignerSaveForm));
    m_undoAction->setText(s.value(Str::Undo));
    m_redoAction->setText(s.value(Str::Redo));
    m_copyAction->setText(s.value(Str::DesignerCopy));
    m_pasteAction->setText(s.value(Str::DesignerPaste));
    m_deleteAction->setText(s.value(Str::DeleteButton));
    m_selectAllAction->setText(s.value(Str::DesignerSelectAll));
    m_percentAction->setText(s.value(Str::AllMetricsToPercent));
    showProperties();
}

void VisualEditorWindow::open()
{
    show();
    raise();
    activateWindow();
    m_surface->setFocus();
}

void VisualEditorWindow::choosePlacing(int kind, bool checked)
{
    for (int other = 0; other < FormElement::KindCount; ++other) {
        if (other != kind)
            m_kinds[other]->setChecked(false);
    }
    m_surface->setPlacing(checked ? std::optional(FormElement::Kind(kind)) : std::nullopt);
    if (checked)
        m_surface->setFocus();
}

void VisualEditorWindow::showProperties()
{
    const QList<int>& selection = m_surface->selection();
    const bool single = selection.size() == 1;
    m_propertyFields->setEnabled(single);
    const FormElement element = single ? m_design.elements().at(selection.first()) : FormElement();
    const QList<QWidget*> fields{m_name,           m_left,  m_top,   m_width, m_height,
                                 m_value,          m_color, m_state, m_list,  m_horizontalPercent,
                                 m_verticalPercent};
    // Filling the fields is no edit of the element.
    std::vector<QSignalBlocker> blockers;
    blockers.reserve(fields.size());
    for (QWidget* field : fields)
        blockers.emplace_back(field);

    m_type->setText(single ? m_context.strings.value(FormElement::kindCaption(element.kind))
                           : QString());
    m_name->setText(element.name);
    // Pixels are whole; percent keeps two decimals.
    for (QDoubleSpinBox* box : {m_left, m_width})
        box->setDecimals(element.horizontalPercent ? 2 : 0);
    for (QDoubleSpinBox* box : {m_top, m_height})
        box->setDecimals(element.verticalPercent ? 2 : 0);
    m_left->setValue(element.geometry.left());
    m_top->setValue(element.geometry.top());
    m_width->setValue(element.geometry.width());
    m_height->setValue(element.geometry.height());
    m_horizontalPercent->setChecked(element.horizontalPercent);
    m_verticalPercent->setChecked(element.verticalPercent);
    m_value->setText(element.value);
    m_color->setText(element.color);
    m_state->setCurrentIndex(element.on ? 1 : 0);
    const QString list = element.listItems.join(QLatin1Char('\n'));
    if (m_list->toPlainText() != list)
        m_list->setPlainText(list);
}

void VisualEditorWindow::applyProperties()
{
    const QList<int>& selection = m_surface->selection();
    if (selection.size() != 1)
        return;
    FormElement element = m_design.elements().at(selection.first());
    element.name = m_name->text();
    element.geometry = QRectF(m_left->value(), m_top->value(), std::max(m_width->value(), 1.0),
                              std::max(m_height->value(), 1.0));
    element.value = m_value->text();
    element.color = m_color->text().trimmed();
    element.on = m_state->currentIndex() == 1;
    const QString list = m_list->toPlainText();
    element.listItems = list.isEmpty() ? QStringList() : list.split(QLatin1Char('\n'));
    m_design.change(selection, {element});
}

void VisualEditorWindow::applyUnits()
{
    const QList<int>& selection = m_surface->selection();
    if (selection.size() != 1)
        return;
    FormElement element = m_design.elements().at(selection.first());
    element.setUnits(m_horizontalPercent->isChecked(), m_verticalPercent->isChecked(),
                     m_design.body());
    m_design.change(selection, {element});
}

bool VisualEditorWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_list)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::FocusOut)
        applyProperties();
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    // Ctrl+Enter adds a line to the list; Enter alone takes the list as it stands.
    if (key->modifiers() & Qt::ControlModifier)
        m_list->insertPlainText(QStringLiteral("\n"));
    else
        applyProperties();
    return true;
}

void VisualEditorWindow::undo()
{
    m_design.undoStack().undo();
}

void VisualEditorWindow::redo()
{
    m_design.undoStack().redo();
}

void VisualEditorWindow::selectAll()
{
    m_surface->selectAll();
}

void VisualEditorWindow::allToPercent()
{
    m_design.allToPercent();
}

void VisualEditorWindow::deleteSelection()
{
    m_design.remove(m_surface->selection());
}

void VisualEditorWindow::copy()
{
    m_clipboard.clear();
    for (int index : m_surface->selection())
        m_clipboard.append(m_design.elements().at(index));
    m_pasteCount = 0;
}

void VisualEditorWindow::paste()
{
    if (m_clipboard.isEmpty())
        return;
    // Each paste lies a grid step further, so that copies never hide each other.
    const double offset = FormSurface::Grid * ++m_pasteCount;
    QSet<QString> names = m_design.names();
    QList<FormElement> copies;
    for (FormElement element : std::as_const(m_clipboard)) {
        element.setPixelRect(element.pixelRect(m_design.body()).translated(offset, offset),
                             m_design.body());
        if (names.contains(element.name))
            element.name = FormDesign::freeName(element.kind, names);
        names.insert(element.name);
        copies.append(element);
    }
    const int first = int(m_design.elements().size());
    m_design.add(copies);
    QList<int> pasted;
    for (int index = first; index < m_design.elements().size(); ++index)
        pasted.append(index);
    m_surface->setSelection(pasted);
}

void VisualEditorWindow::insertToCode()
{
    if (!m_context.document.isOpen()) {
        m_context.prompter.message(m_context.strings.message(Str::OpenFileFirst));
        return;
    }
    m_context.document.replaceSelection(FormHtmlWriter::write(m_design.content()));
}

void VisualEditorWindow::openForm()
{
    const LangStrings& s = m_context.strings;
    const QString path = m_context.prompter.openFileName(s.value(Str::DesignerOpenForm), {},
                                                         s.value(Str::DesignerFormFiles));
    if (path.isEmpty())
        return;
    const FormFile::ReadResult result = FormFile::read(path, s);
    if (!result.content) {
        m_context.prompter.message(result.error, Prompter::Icon::Exclamation);
        return;
    }
    m_surface->setSelection({});
    m_design.replaceAll(*result.content);
}

void VisualEditorWindow::saveForm()
{
    const LangStrings& s = m_context.strings;
    QString path = m_context.prompter.saveFileName(s.value(Str::DesignerSaveForm), {},
                                                   s.value(Str::DesignerFormFiles));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1String(".qform");
    const QString error = FormFile::write(path, m_design.content(), s);
    if (!error.isEmpty())
        m_context.prompter.message(error, Prompter::Icon::Exclamation);
}

} // namespace Quillorn
