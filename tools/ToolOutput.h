#pragma once

#include <QByteArray>
#include <QString>

namespace Quillorn {

class LangStrings;
struct RunOptions;
struct RunResult;

// What the Tidy and PHP commands make of an outside program's output before it is shown or
// put into the document.
class ToolOutput {
public:
    // `out` up to and including its last "</html>"; whole when it has none.
    static QByteArray cutAfterLastHtmlEnd(const QByteArray& out, Qt::CaseSensitivity cs);

    // The generator text of the Tidy that wrote `out`: the content of its
    // <meta name="generator"> element; empty when it has none.
    static QString generatorOf(const QByteArray& out);

    // `out` without the generator lines that the Tidy of `generator` writes into the head, in
    // its HTML and its XHTML form, letter case ignored. Lines of another generator stay.
    static QByteArray withoutGenerator(const QByteArray& out, const QString& generator);

    // The syntax check's result: "No syntax errors find" when PHP found none, else its message.
    static QString phpCheckResult(const QString& out);

    // The PHP version line of `php -v`'s output (what comes before its copyright notice), or
    // "PHP not available" when the output is not PHP's.
    static QString phpVersionLabel(const QString& out, const LangStrings& strings);

    // The command line that runs `program` with `switches` on `path`: both quoted, so blanks
    // in either are safe.
    static QString commandLine(const QString& program, const QString& switches,
                               const QString& path);

    // Why the run of the program called `name` with `options` gave no result: not found, not
    // started, timed out, too much output, cancelled. Empty when it finished by itself.
    static QString failureText(const RunResult& result, const QString& name,
                               const RunOptions& options, const LangStrings& strings);
};

} // namespace Quillorn
