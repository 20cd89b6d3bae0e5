#pragma once

#include <QStringList>

namespace Quillorn {

// Splits a command line into the program and its arguments by the quoting rules of the Windows
// C runtime, so that command lines written for a process start-up without a shell (a quoted
// program path with blanks, quoted file names) keep their meaning here.
class CommandLineSplit {
public:
    // Blanks and tabs separate words and "..." groups them. In an argument, 2n backslashes
    // before a quote give n backslashes and the quote groups, 2n+1 give n and a literal quote,
    // other backslashes are literal, and "" inside a quoted run is a literal quote. The program
    // name (the first word) only groups: its backslashes and quotes never escape. A blank line
    // gives an empty list.
    static QStringList split(const QString& commandLine);
};

} // namespace Quillorn
