#pragma once

#include "platform/LangStrings.h"

#include <QList>

class QObject;

namespace Quillorn {

// Which caption of the main window comes from which interface string, and the routine that
// applies them: a caption whose string is missing keeps the text it had.
class CaptionTable {
public:
    struct Entry {
        const char* control; // object name of the menu, command or button
        Str string;          // the interface string
        const char* suffix;  // fixed text after the string
    };

    static const QList<Entry>& entries();

    // Sets every caption of the table found below `root`; returns how many were set.
    static int apply(QObject* root, const LangStrings& strings);
};

} // namespace Quillorn
