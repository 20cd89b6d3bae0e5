#pragma once

#include <QString>

namespace Quillorn {

// Which colouring a document gets, chosen by its file name's extension.
enum class LexerKind { PlainText, Html, JavaScript, Css };

class LexerChoice {
public:
    // html, htm, php, phtml, php3: HTML with embedded PHP, JavaScript and CSS; js; css;
    // anything else is plain text. Letter case of the extension is ignored, since files on
    // this platform come as "PAGE.HTM" as often as "page.htm".
    static LexerKind forFileName(const QString& fileName);
};

} // namespace Quillorn
