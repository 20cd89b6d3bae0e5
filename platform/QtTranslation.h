#pragma once

#include <QString>

#include <memory>

class QTranslator;

namespace Quillorn {

// Qt's own texts (the standard buttons of prompts, the file dialogs) in the interface
// language: Qt's translation for it, installed on the application while it is in use.
class QtTranslation {
public:
    QtTranslation();
    ~QtTranslation();

    // Installs Qt's translation for `language` (a language folder name) in place of the one
    // before. English, and a language Qt has no translation for, leave Qt's English.
    void apply(const QString& language);

private:
    std::unique_ptr<QTranslator> m_translator;
};

} // namespace Quillorn
