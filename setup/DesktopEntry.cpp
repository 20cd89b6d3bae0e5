#include "setup/DesktopEntry.h"

#include "platform/DesktopEntryText.h"

namespace Quillorn {

namespace {

QByteArray head(const char* type, const DesktopEntry::Names& names, const QString& icon)
{
    return "[Desktop Entry]\nType=" + QByteArray(type) +
           "\nName=" + DesktopEntryText::escaped(names.english).toUtf8() +
           "\nName[ru]=" + DesktopEntryText::escaped(names.russian).toUtf8() +
           "\nIcon=" + DesktopEntryText::escaped(icon).toUtf8() + '\n';
}

} // namespace

QByteArray DesktopEntry::application(const Names& names, const QString& program,
                                     const QString& icon, const QString& workingFolder)
{
    return head("Application", names, icon) +
           "Exec=" + DesktopEntryText::escaped(execArgument(program)).toUtf8() +
           "\nPath=" + DesktopEntryText::escaped(workingFolder).toUtf8() +
           "\nTerminal=false\nCategories=Development;WebDevelopment;\n";
}

QByteArray DesktopEntry::link(const Names& names, const QString& url, const QString& icon)
{
    return head("Link", names, icon) + "URL=" + DesktopEntryText::escaped(url).toUtf8() + '\n';
}

QString DesktopEntry::execArgument(const QString& path)
{
    QString argument = QStringLiteral("\"");
    for (const QChar c : path) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            argument += QLatin1Char('\\');
        argument += c;
        // A field code begins with "%": a percent sign of the path is written twice.
        if (c == QLatin1Char('%'))
            argument += c;
    }
    return argument + QLatin1Char('"');
}

} // namespace Quillorn
