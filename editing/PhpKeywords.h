#pragma once

#include <QByteArray>
#include <QString>

namespace Quillorn {

// The PHP keywords the colouring knows, read from php.lng: one keyword a line, CR LF or LF
// ended; handed to the HTML lexer as one lower-case, space-separated list.
class PhpKeywords {
public:
    // The keyword list of the file, or an empty list when it cannot be read.
    static QByteArray load(const QString& path);
    static QByteArray parse(const QByteArray& bytes);
};

} // namespace Quillorn
