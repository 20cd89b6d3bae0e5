#pragma once

#include <QString>

namespace Quillorn {

// What the uninstaller says. It does not know the language of the installation it removes,
// so each text is English and Russian, one after the other.
class UninstallTexts {
public:
    static QString title() { return QStringLiteral("Uninstall"); }
    static QString question();
    static QString noLog(const QString& folder);
    static QString foreignLog(const QString& folder);
    static QString notCopied(const QString& path, const QString& reason);
    static QString notAllDeleted(int count);
    static QString usage();
};

} // namespace Quillorn
