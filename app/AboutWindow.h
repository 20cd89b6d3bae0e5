#pragma once

#include <QDialog>

namespace Quillorn {

// The About window (AboutF): shows the current language's about.lng as it stands.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    AboutWindow(const QString& languageDir, const QString& language, QWidget* parent = nullptr);

    // The text of about.lng, or an empty text when the file is missing.
    static QString aboutText(const QString& languageDir, const QString& language);
};

} // namespace Quillorn
