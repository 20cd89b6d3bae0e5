#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace Quillorn {

// The program's own text files (settings, language files, sessions, tag lists): 8-bit text
// in the interface language's code page, or UTF-8 as edited by hand here, with CR LF line
// ends when written and CR LF or LF accepted when read.
class ProgramText {
public:
    // The 8-bit code page of an interface language: windows-1251 for "russian",
    // windows-1252 otherwise.
    static QByteArray codePage(const QString& language);

    // `bytes` as UTF-8 when they are valid UTF-8 (without a leading byte-order mark),
    // else in the language's code page. Never fails: every byte maps to a character.
    static QString decode(const QByteArray& bytes, const QString& language);

    // Whether `bytes` are valid UTF-8 throughout.
    static bool isValidUtf8(const QByteArray& bytes);

    // The lines of `text`, each ended by CR LF or by LF alone; the piece after the last
    // line end is not a line and is dropped (a hand-written last line without a line end
    // is lost, as the file format says).
    static QStringList terminatedLines(const QString& text);

    // `text` encoded in the language's code page; characters the code page lacks make the
    // whole text UTF-8 instead, so nothing is ever replaced by "?".
    static QByteArray encode(const QString& text, const QString& language);
};

} // namespace Quillorn
