#include "documents/TextFinder.h"

#include <algorithm>

namespace Quillorn {

namespace {

// Longer lines are shown cut in the result list.
constexpr qsizetype MaxLineText = 200;

bool isLineEnd(QChar c)
{
    return c == u'\n' || c == u'\r';
}

// The number of UTF-8 bytes `text` [from, to) takes.
qint64 utf8Length(const QString& text, qsizetype from, qsizetype to)
{
    qint64 bytes = 0;
    for (qsizetype i = from; i < to; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < 0x80)
            bytes += 1;
        else if (c < 0x800)
            bytes += 2;
        else if (QChar::isHighSurrogate(c) && i + 1 < to &&
                 QChar::isLowSurrogate(text.at(i + 1).unicode())) {
            bytes += 4;
            ++i;
        } else
            bytes += 3;
    }
    return bytes;
}

} // namespace

TextFinder::TextFinder(const Options& options)
{
    QString pattern =
        options.regularExpression ? options.pattern : QRegularExpression::escape(options.pattern);
    QRegularExpression::PatternOptions flags = QRegularExpression::MultilineOption;
    if (!options.matchCase)
        flags |= QRegularExpression::CaseInsensitiveOption;
    if (options.wholeWords)
        pattern = QStringLiteral("\\b(?:%1)\\b").arg(pattern);
    // Words (\b, \w) of any script, not only ASCII ones.
    if (options.wholeWords || options.regularExpression)
        flags |= QRegularExpression::UseUnicodePropertiesOption;
    if (!options.pattern.isEmpty())
        m_expression = QRegularExpression(pattern, flags);
    if (options.matchCase && !options.regularExpression)
        m_literal = options.pattern.toUtf8();
}

bool TextFinder::isValid() const
{
    return !m_expression.pattern().isEmpty() && m_expression.isValid();
}

QString TextFinder::errorText() const
{
    return m_expression.errorString();
}

QList<TextFinder::Match> TextFinder::find(const QByteArray& utf8) const
{
    QList<Match> matches;
    if (!isValid() || (!m_literal.isEmpty() && !utf8.contains(m_literal)))
        return matches;
    const QString text = QString::fromUtf8(utf8);

    // Lines and bytes are counted on from the previous match, so a text is walked once.
    int line = 1;
    qsizetype lineStart = 0;
    qsizetype counted = 0;
    qint64 bytes = 0;
    auto it = m_expression.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch found = it.next();
        const qsizetype start = found.capturedStart();
        const qsizetype end = found.capturedEnd();
        if (end == start)
            continue;
        bytes += utf8Length(text, counted, start);
        for (; counted < start; ++counted) {
            const QChar c = text.at(counted);
            if (c == u'\n' ||
                (c == u'\r' && (counted + 1 == text.size() || text.at(counted + 1) != u'\n'))) {
                ++line;
                lineStart = counted + 1;
            }
        }
        qsizetype lineEnd = start;
        while (lineEnd < text.size() && !isLineEnd(text.at(lineEnd)))
            ++lineEnd;
        Match match;
        match.line = line;
        match.column =
            static_cast<int>(QStringView(text).mid(lineStart, start - lineStart).toUcs4().size()) +
            1;
        match.position = bytes;
        match.length = utf8Length(text, start, end);
        match.lineText = QStringView(text)
                             .mid(lineStart, std::min(lineEnd - lineStart, MaxLineText))
                             .trimmed()
                             .toString();
        matches.append(match);
    }
    return matches;
}

} // namespace Quillorn
