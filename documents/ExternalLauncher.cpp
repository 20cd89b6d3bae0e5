#include "documents/ExternalLauncher.h"

#include "documents/LocalChannel.h"

#include <QProcess>

namespace Quillorn {

ExternalLauncher::Blocker ExternalLauncher::blocker(bool documentShown, bool documentSaved)
{
    if (!documentShown)
        return Blocker::NoDocument;
    if (!documentSaved)
        return Blocker::Unsaved;
    return Blocker::None;
}

std::optional<Str> ExternalLauncher::blockerMessage(Blocker blocker)
{
    switch (blocker) {
    case Blocker::NoDocument:
        return Str::OpenFileFirst;
    case Blocker::Unsaved:
        return Str::SaveFileFirst;
    case Blocker::None:
        break;
    }
    return std::nullopt;
}

QString ExternalLauncher::requestText(const QString& ddeMessage, const QString& path)
{
    QString text = ddeMessage;
    return text.replace(QLatin1String("%1"), path);
}

QString ExternalLauncher::workingFolder(const QString& path)
{
    const qsizetype cut =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.left(cut + 1);
}

ExternalLauncher::Result ExternalLauncher::open(const ExternalProgram& program,
                                                const QString& documentPath, int timeoutMs)
{
    if (!program.program.isEmpty()) {
        const QString name = LocalChannel::serverName(program.program, program.division);
        const QString request = requestText(program.ddeMessage, documentPath);
        if (LocalChannel::send(name, request, timeoutMs) == LocalChannel::Outcome::Delivered)
            return {Way::Request, Str::ProgramNotStarted, {}};
    }
    if (program.programPath.trimmed().isEmpty())
        return {Way::Failed, Str::NoProgramSet, program.name};
    QProcess process;
    process.setProgram(program.programPath);
    process.setArguments({documentPath});
    process.setWorkingDirectory(workingFolder(documentPath));
    if (!process.startDetached())
        return {Way::Failed, Str::ProgramNotStarted, program.programPath};
    return {Way::Started, Str::ProgramNotStarted, {}};
}

} // namespace Quillorn
