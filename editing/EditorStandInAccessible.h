#pragma once

#include <QAccessibleWidget>

namespace Quillorn {

// What assistive technology is shown of the editor while none is running: a plain editable
// text widget that answers at no cost. Being asked anything while one runs hands the editor
// over to its full accessible object.
class EditorStandInAccessible : public QAccessibleWidget {
public:
    explicit EditorStandInAccessible(QWidget* editor);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
};

} // namespace Quillorn
