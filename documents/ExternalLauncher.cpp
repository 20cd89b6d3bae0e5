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

QString ExternalLauncher::blockerMessage(Blocker blocker)
{
    switch (blocker) {
    case Blocker::NoDocument:
        return QStringLiteral("Open file first!");
    case Blocker::Unsaved:
        return QStringLiteral("Save file first!");
    case Blocker::None:
        break;
    }
    return {};
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
            return {Way::Request, {}};
    }
    if (program.programPath.trimmed().isEmpty())
        return {Way::Failed,
                QStringLiteral("No program to start is set for \u201C%1\u201D.").arg(program.name)};
    QProcess process;
    process.setProgram(program.programPath);
    process.setArguments({documentPath});
    process.setWorkingDirectory(workingFolder(documentPath));
    if (!process.startDetached())
        return {Way::Failed,
                QStringLiteral("\u201C%1\u201D could not be started.").arg(program.programPath)};
    return {Way::Started, {}};
}

} // namespace Quillorn
