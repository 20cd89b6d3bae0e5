#pragma once

#include <QByteArray>
#include <QList>
#include <QRegularExpression>
#include <QString>

namespace Quillorn {

// Finds a word or a regular expression in texts held as UTF-8 (documents, decoded files):
// each match with its line, column and the text of its line, and its place in bytes for a
// replacement.
class TextFinder {
public:
    struct Options {
        QString pattern;
        bool matchCase = false;
        bool wholeWords = false;
        bool regularExpression = false;
    };

    struct Match {
        int line = 0;        // counted from 1
        int column = 0;      // in characters, counted from 1
        qint64 position = 0; // in bytes of the text
        qint64 length = 0;   // in bytes
        QString lineText;    // the line, without its end and outer blanks, cut when very long
    };

    explicit TextFinder(const Options& options);

    // False for an empty pattern or a regular expression that is not valid; errorText() then
    // says what is wrong with the expression.
    bool isValid() const;
    QString errorText() const;

    // Every match in `utf8`, in text order. An empty match is skipped.
    QList<Match> find(const QByteArray& utf8) const;

private:
    // A plain word of ASCII letters is found in the bytes themselves, without turning the text
    // into UTF-16 and through the expression engine: most searches are such words, and most
    // files hold none of them.
    QList<Match> findWord(const QByteArray& utf8) const;
    QList<Match> findExpression(const QByteArray& utf8) const;

    QRegularExpression m_expression;
    QByteArray m_word; // the word for findWord, in lower case when case is ignored; or empty
    bool m_matchCase = false;
    bool m_wholeWords = false;
};

} // namespace Quillorn
