#include "tools/ToolOutput.h"

#include "platform/LangStrings.h"
#include "tools/ProcessRunner.h"

#include <QRegularExpression>

#include <cerrno>

namespace Quillorn {

QByteArray ToolOutput::cutAfterLastHtmlEnd(const QByteArray& out, Qt::CaseSensitivity cs)
{
    static constexpr QByteArrayView End("</html>");
    const qsizetype at =
        cs == Qt::CaseSensitive ? out.lastIndexOf(End) : out.toLower().lastIndexOf(End);
    return at < 0 ? out : out.left(at + End.size());
}

QString ToolOutput::generatorOf(const QByteArray& out)
{
    static const QRegularExpression meta(
        QStringLiteral(R"re(<meta\s+name\s*=\s*"generator"\s+content\s*=\s*"([^"]*)")re"),
        QRegularExpression::CaseInsensitiveOption);
    return meta.match(QString::fromUtf8(out)).captured(1);
}

QByteArray ToolOutput::withoutGenerator(const QByteArray& out, const QString& generator)
{
    if (generator.isEmpty())
        return out;
    // Matched over the bytes taken one to a character, so that every offset is a byte offset
    // and bytes that are not UTF-8 stay as they were. The line as Tidy breaks it after
    // "content=", with this platform's line ends or CR LF.
    const QRegularExpression line(
        QStringLiteral(R"(<meta name="generator" content=\r?\n")") +
            QRegularExpression::escape(QString::fromLatin1(generator.toUtf8())) +
            QStringLiteral(R"("( /)?>\r?\n)"),
        QRegularExpression::CaseInsensitiveOption);
    const QString bytes = QString::fromLatin1(out);
    QByteArray result;
    qsizetype copied = 0;
    for (QRegularExpressionMatchIterator it = line.globalMatch(bytes); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        result += QByteArrayView(out).sliced(copied, match.capturedStart() - copied);
        copied = match.capturedEnd();
    }
    return copied == 0 ? out : result + QByteArrayView(out).sliced(copied);
}

QString ToolOutput::phpCheckResult(const QString& out)
{
    return out.contains(QLatin1String("No syntax errors"), Qt::CaseInsensitive)
               ? QStringLiteral("No syntax errors find")
               : out;
}

QString ToolOutput::phpVersionLabel(const QString& out, const LangStrings& strings)
{
    const qsizetype at = out.indexOf(QLatin1String("Copyright"));
    if (out == QLatin1String("ERR") || at < 0 || !out.startsWith(QLatin1String("PHP ")))
        return strings.value(Str::PhpNotAvailable, QStringLiteral("PHP not available"));
    return out.left(at);
}

QString ToolOutput::commandLine(const QString& program, const QString& switches,
                                const QString& path)
{
    const QChar q(u'"');
    return q + program + q + switches + q + path + q;
}

QString ToolOutput::failureText(const RunResult& result, const QString& name,
                                const RunOptions& options, const LangStrings& strings)
{
    switch (result.status) {
    case RunStatus::Finished:
        return {};
    case RunStatus::NotStarted:
        return result.startError == ENOENT
                   ? strings.message(Str::ToolNotFound, name)
                   : strings.message(Str::ToolNotStarted, name, result.reason());
    case RunStatus::TimedOut:
        return strings.message(Str::ToolTimedOut, name, QString::number(options.timeoutMs / 1000));
    case RunStatus::OutputCapped:
        return strings.message(Str::ToolOutputTooLarge, name,
                               QString::number(options.outputCap >> 20));
    case RunStatus::Cancelled:
        return strings.message(Str::ToolCancelled, name);
    case RunStatus::Failed:
        break;
    }
    return strings.message(Str::ToolNotStarted, name, result.reason());
}

} // namespace Quillorn
