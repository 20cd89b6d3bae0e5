#pragma once

#include <QString>

namespace Quillorn {

// Text for the values of freedesktop desktop entries, which the editor's file associations
// and the installer's shortcuts both write.
class DesktopEntryText {
public:
    // A string value: backslashes and control characters escaped, a leading space kept.
    static QString escaped(const QString& text);
};

} // namespace Quillorn
