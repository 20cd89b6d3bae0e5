#include "tools/CheckReport.h"

#include "platform/LangStrings.h"

#include <QRegularExpression>
#include <QSet>

namespace Quillorn {

namespace {

std::optional<CheckReport::Reference> referenceIn(const QString& line)
{
    // Tidy starts its messages with the place; PHP ends them with it, so the last "on line"
    // counts when the message quotes one of its own.
    static const QRegularExpression place(
        QStringLiteral(R"(^\s*line\s+(\d+)\s+column\s+(\d+)\b|^.*\bon\s+line\s+(\d+)\b)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = place.match(line);
    if (!match.hasMatch())
        return std::nullopt;
    const bool tidy = match.capturedLength(1) > 0;
    bool ok = false;
    const int number = match.captured(tidy ? 1 : 3).toInt(&ok);
    if (!ok || number < 1)
        return std::nullopt;
    const int column = tidy ? match.captured(2).toInt() : 1;
    return CheckReport::Reference{number, column > 0 ? column : 1};
}

} // namespace

QString CheckReport::trim(const QString& out)
{
    // Empty lines before any text do not end the report: cutting there would show nothing.
    qsizetype start = 0;
    while (start < out.size() && (out[start] == u'\r' || out[start] == u'\n'))
        ++start;
    static const QRegularExpression emptyLine(QStringLiteral("\r?\n\r?\n"));
    const QRegularExpressionMatch match = emptyLine.match(out, start);
    // Everything before the empty line stays, so the summary line is kept whole.
    return match.hasMatch() ? out.left(match.capturedStart()) : out;
}

QList<CheckReport::Line> CheckReport::lines(const QString& report)
{
    QList<Line> lines;
    for (QString text : report.split(u'\n')) {
        if (text.endsWith(u'\r'))
            text.chop(1);
        lines.append({text, referenceIn(text)});
    }
    return lines;
}

QList<CurrentDocument::CheckMark> CheckReport::marks(const QString& report)
{
    QList<CurrentDocument::CheckMark> marks;
    QSet<std::pair<int, QString>> seen;
    for (const Line& line : lines(report)) {
        if (!line.reference)
            continue;
        QString message = line.text.trimmed();
        if (message.startsWith(QLatin1String("PHP ")))
            message.remove(0, 4);
        const bool error = message.left(message.indexOf(u':'))
                               .contains(QLatin1String("error"), Qt::CaseInsensitive);
        if (!seen.contains({line.reference->line, message})) {
            seen.insert({line.reference->line, message});
            marks.append({line.reference->line, error, message});
        }
    }
    return marks;
}

QString CheckReport::summary(const QString& report, const QList<CurrentDocument::CheckMark>& marks)
{
    if (marks.size() == 1)
        return marks.first().message;
    if (marks.isEmpty())
        return {};
    const QList<Line> all = lines(report);
    for (auto it = all.crbegin(); it != all.crend(); ++it) {
        if (!it->reference && !it->text.trimmed().isEmpty())
            return it->text.trimmed();
    }
    return marks.first().message;
}

QString CheckReport::markDocument(CurrentDocument& document, quint64 id, const QString& report,
                                  const LangStrings& strings)
{
    const QList<CurrentDocument::CheckMark> found = marks(report);
    if (!document.setCheckMarks(id, found))
        return {};
    return found.isEmpty() ? strings.value(Str::CheckFoundNothing) : summary(report, found);
}

} // namespace Quillorn
