#include "settings/FileAssociations.h"

#include "platform/DesktopEntryText.h"
#include "platform/FileReader.h"
#include "platform/FileSaver.h"
#include "settings/MimeAppsList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <utility>

namespace Quillorn {

namespace {

// The desktop's files are small; a larger one is left alone rather than cut short.
constexpr qint64 MaxDesktopFileSize = 4 * 1024 * 1024;

const QLatin1String EntryGroup("[Desktop Entry]");

QString dataHome()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

// The icon theme's name for the project type's icon, and where it goes.
QString projectIconName()
{
    return QString(FileAssociations::projectMimeType()).replace(QLatin1Char('/'), QLatin1Char('-'));
}

QString projectIconPath()
{
    return dataHome() + QLatin1String("/icons/hicolor/scalable/mimetypes/") + projectIconName() +
           QLatin1String(".svg");
}

// The raw value of `key` in the [Desktop Entry] group of a desktop entry's text.
QString entryValue(const QString& text, const QString& key)
{
    bool inEntry = false;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1Char('['))) {
            inEntry = line.trimmed() == EntryGroup;
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (inEntry && eq > 0 && line.left(eq).trimmed() == key)
            return line.mid(eq + 1);
    }
    return {};
}

QString mimePackage(const QString& comment)
{
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
               "  <mime-type type=\"%1\">\n"
               "    <comment>%2</comment>\n"
               "    <sub-class-of type=\"text/plain\"/>\n"
               "    <icon name=\"%3\"/>\n"
               "    <glob pattern=\"*.qlp\"/>\n"
               "  </mime-type>\n"
               "</mime-info>\n")
        .arg(FileAssociations::projectMimeType(), comment.toHtmlEscaped(), projectIconName());
}

// Starts `program` on `folder` in the background, its output dropped; nothing when it is not
// installed.
void startInBackground(const QString& program, const QString& folder)
{
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty())
        return;
    QProcess process;
    process.setProgram(path);
    process.setArguments({folder});
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.startDetached();
}

} // namespace

FileAssociations::FileAssociations(QString appDir, QString programPath)
    : m_appDir(std::move(appDir))
    , m_programPath(std::move(programPath))
{
}

const QStringList& FileAssociations::offeredExtensions()
{
    static const QStringList extensions{
        QStringLiteral(".html"), QStringLiteral(".htm"), QStringLiteral(".js"),
        QStringLiteral(".css"),  QStringLiteral(".php"), QStringLiteral(".phtml"),
        QStringLiteral(".php3"),
    };
    return extensions;
}

QStringList FileAssociations::mimeTypes(const QString& extension)
{
    const QString ext = extension.toLower();
    if (ext == QLatin1String(".html") || ext == QLatin1String(".htm"))
        return {QStringLiteral("text/html")};
    if (ext == QLatin1String(".js"))
        return {QStringLiteral("application/javascript"), QStringLiteral("text/javascript")};
    if (ext == QLatin1String(".css"))
        return {QStringLiteral("text/css")};
    if (ext == QLatin1String(".php") || ext == QLatin1String(".phtml") ||
        ext == QLatin1String(".php3"))
        return {QStringLiteral("application/x-php")};
    if (ext == QLatin1String(".qlp"))
        return {projectMimeType()};
    return {};
}

QString FileAssociations::desktopEntryPath()
{
    return dataHome() + QLatin1String("/applications/") + desktopFileName();
}

QString FileAssociations::mimeAppsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QLatin1String("/mimeapps.list");
}

QString FileAssociations::mimeFolder()
{
    return dataHome() + QLatin1String("/mime");
}

QString FileAssociations::execLine() const
{
    // The desktop entry rules: an argument with a reserved character is quoted, with ", `, $
    // and \ escaped inside the quotes; "%" is doubled; then the value is escaped as a string.
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    static const QString escapedInQuotes = QStringLiteral("\"`$\\");
    QString argument;
    bool quote = false;
    for (const QChar c : m_programPath) {
        quote = quote || reserved.contains(c);
        if (escapedInQuotes.contains(c))
            argument += QLatin1Char('\\');
        argument += c;
    }
    argument = quote ? QLatin1Char('"') + argument + QLatin1Char('"') : m_programPath;
    argument.replace(QLatin1Char('%'), QLatin1String("%%"));
    return DesktopEntryText::escaped(argument + QLatin1String(" %F"));
}

QString FileAssociations::desktopEntry(const QStringList& mimeTypes) const
{
    // NoDisplay: the installer makes the menu entry; this one is there for the file types.
    return EntryGroup + QLatin1String("\nType=Application\nName=Quillorn\nExec=") + execLine() +
           QLatin1String("\nIcon=") +
           DesktopEntryText::escaped(m_appDir + QLatin1String("icons/quillorn.svg")) +
           QLatin1String("\nTerminal=false\nNoDisplay=true\nCategories=Development;WebDevelopment;"
                         "\nMimeType=") +
           mimeTypes.join(QLatin1Char(';')) + QLatin1String(";\n");
}

FileAssociations::Text FileAssociations::readText(const QString& path)
{
    const FileReader::Result read =
        FileReader::read(path, MaxDesktopFileSize, FileReader::Oversize::Refuse);
    if (read.failure.kind() == FileFailure::Kind::Missing)
        return {};
    return {QString::fromUtf8(read.bytes), read.failure};
}

FileFailure FileAssociations::writeIfChanged(const QString& path, const QByteArray& bytes,
                                             bool* changed)
{
    // A file that is not there holds nothing: nothing is written for it.
    const FileReader::Result old =
        FileReader::read(path, MaxDesktopFileSize, FileReader::Oversize::Refuse);
    const bool same = old.ok()
                          ? old.bytes == bytes
                          : old.failure.kind() == FileFailure::Kind::Missing && bytes.isEmpty();
    if (same)
        return {};
    QDir().mkpath(QFileInfo(path).absolutePath());
    const FileFailure saved = FileSaver::save(path, bytes);
    if (changed && saved.ok())
        *changed = true;
    return saved;
}

FileFailure FileAssociations::setAssociation(const QString& extension, bool enable, bool asDefault)
{
    const QStringList types = mimeTypes(extension);
    Q_ASSERT(!types.isEmpty());
    const Text entry = readText(desktopEntryPath());
    if (!entry.failure.ok())
        return entry.failure;
    const Text apps = readText(mimeAppsPath());
    if (!apps.failure.ok())
        return apps.failure;

    QStringList entryTypes;
    for (const QString& type : entryValue(entry.text, QStringLiteral("MimeType"))
                                   .split(QLatin1Char(';'), Qt::SkipEmptyParts))
        entryTypes.append(type.trimmed());

    MimeAppsList list(apps.text);
    const QString ours = desktopFileName();
    const QString group = asDefault ? MimeAppsList::defaultGroup() : MimeAppsList::addedGroup();
    for (const QString& type : types) {
        QStringList applications = list.applications(group, type);
        applications.removeAll(ours);
        // The default application is the first listed; one more program goes after the rest.
        if (enable && asDefault)
            applications.prepend(ours);
        else if (enable)
            applications.append(ours);
        list.setApplications(group, type, applications);

        const bool listed = list.applications(MimeAppsList::defaultGroup(), type).contains(ours) ||
                            list.applications(MimeAppsList::addedGroup(), type).contains(ours);
        if (listed && !entryTypes.contains(type))
            entryTypes.append(type);
        else if (!listed)
            entryTypes.removeAll(type);
    }

    FileFailure written;
    if (!entryTypes.isEmpty())
        written =
            writeIfChanged(desktopEntryPath(), desktopEntry(entryTypes).toUtf8(), &m_entryChanged);
    else if (QFile::remove(desktopEntryPath()))
        m_entryChanged = true;
    if (!written.ok())
        return written;
    return writeIfChanged(mimeAppsPath(), list.text().toUtf8());
}

bool FileAssociations::isAssociated(const QString& extension, bool asDefault) const
{
    const QStringList types = mimeTypes(extension);
    const Text entry = readText(desktopEntryPath());
    if (types.isEmpty() || !entry.failure.ok() ||
        entryValue(entry.text, QStringLiteral("Exec")) != execLine())
        return false;
    const QStringList entryTypes = entryValue(entry.text, QStringLiteral("MimeType"))
                                       .split(QLatin1Char(';'), Qt::SkipEmptyParts);
    const MimeAppsList list(readText(mimeAppsPath()).text);
    const QString ours = desktopFileName();
    for (const QString& type : types) {
        if (!entryTypes.contains(type))
            return false;
        const QStringList applications = list.applications(
            asDefault ? MimeAppsList::defaultGroup() : MimeAppsList::addedGroup(), type);
        if (asDefault ? applications.value(0) != ours : !applications.contains(ours))
            return false;
    }
    return true;
}

FileFailure FileAssociations::registerProjectType(const QString& comment)
{
    const FileFailure package =
        writeIfChanged(mimeFolder() + QLatin1String("/packages/quillorn.xml"),
                       mimePackage(comment).toUtf8(), &m_mimeChanged);
    if (!package.ok())
        return package;
    const FileReader::Result icon =
        FileReader::read(m_appDir + QLatin1String("icons/project.svg"), MaxDesktopFileSize,
                         FileReader::Oversize::Refuse);
    if (!icon.ok())
        return icon.failure;
    const FileFailure iconWritten = writeIfChanged(projectIconPath(), icon.bytes);
    if (!iconWritten.ok())
        return iconWritten;
    return setAssociation(QStringLiteral(".qlp"), true, true);
}

void FileAssociations::refreshDatabases()
{
    if (std::exchange(m_entryChanged, false))
        startInBackground(QStringLiteral("update-desktop-database"),
                          QFileInfo(desktopEntryPath()).absolutePath());
    if (std::exchange(m_mimeChanged, false))
        startInBackground(QStringLiteral("update-mime-database"), mimeFolder());
}

} // namespace Quillorn
