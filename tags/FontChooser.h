#pragma once

#include "tags/FontChoice.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QFontComboBox;
class QLabel;
class QLineEdit;

namespace Quillorn {

class LangStrings;

// The font chooser of the tag tool bar: a font name, a size, a colour and the bold, italic,
// underline and strike-out styles, with a sample of the result.
class FontChooser : public QDialog {
    Q_OBJECT

public:
    // Captions come from `strings`.
    explicit FontChooser(const LangStrings& strings, QWidget* parent = nullptr);

    void setChoice(const FontChoice& choice);
    FontChoice choice() const;

    // Shows the chooser and waits; nothing when the user cancels.
    static std::optional<FontChoice> ask(QWidget* parent, const LangStrings& strings,
                                         const FontChoice& initial = {});

private:
    void updateSample();

    QFontComboBox* m_name = nullptr;
    QComboBox* m_size = nullptr;
    QLineEdit* m_color = nullptr;
    QCheckBox* m_bold = nullptr;
    QCheckBox* m_italic = nullptr;
    QCheckBox* m_underline = nullptr;
    QCheckBox* m_strikeOut = nullptr;
    QLabel* m_sample = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};

} // namespace Quillorn
