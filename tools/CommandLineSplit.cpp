#include "tools/CommandLineSplit.h"

namespace Quillorn {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

} // namespace

QStringList CommandLineSplit::split(const QString& commandLine)
{
    QStringList words;
    const qsizetype end = commandLine.size();
    qsizetype i = 0;
    const auto skipBlanks = [&] {
        while (i < end && isBlank(commandLine[i]))
            ++i;
    };
    skipBlanks();
    if (i == end)
        return words;

    QString program;
    bool quoted = false;
    for (; i < end && (quoted || !isBlank(commandLine[i])); ++i) {
        if (commandLine[i] == u'"')
            quoted = !quoted;
        else
            program += commandLine[i];
    }
    words.append(program);

    for (skipBlanks(); i < end; skipBlanks()) {
        QString word;
        quoted = false;
        while (i < end && (quoted || !isBlank(commandLine[i]))) {
            const QChar c = commandLine[i];
            if (c == u'\\') {
                const qsizetype first = i;
                while (i < end && commandLine[i] == u'\\')
                    ++i;
                const qsizetype slashes = i - first;
                const bool beforeQuote = i < end && commandLine[i] == u'"';
                word += QString(beforeQuote ? slashes / 2 : slashes, u'\\');
                // An odd run escapes the quote; after an even one the quote groups as usual.
                if (beforeQuote && slashes % 2 == 1) {
                    word += u'"';
                    ++i;
                }
            } else if (c == u'"') {
                if (quoted && i + 1 < end && commandLine[i + 1] == u'"') {
                    word += u'"';
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else {
                word += c;
                ++i;
            }
        }
        words.append(word);
    }
    return words;
}

} // namespace Quillorn
