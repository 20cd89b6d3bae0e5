#include "setup/DesktopEntry.h"

namespace Quillorn {

namespace {

QByteArray head(const char* type, const DesktopEntry::Names& names, const QString& icon)
{
    return "[Desktop Entry]\nType=" + QByteArray(type) +
           "\nName=" + DesktopEntry::escaped(names.english).toUtf8() +
           "\nName[ru]=" + DesktopEntry::escaped(names.russian).toUtf8() +
           "\nIcon=" + DesktopEntry::escaped(icon).toUtf8() + '\n';
}

} // namespace

QByteArray DesktopEntry::application(const Names& names, const QString& program,
                                     const QString& icon, const QString& workingFolder)
{
    return head("Application", names, icon) + "Exec=" + escaped(execArgument(program)).toUtf8() +
           "\nPath=" + escaped(workingFolder).toUtf8() +
           "\nTerminal=false\nCategories=Development;WebDevelopment;\n";
}

QByteArray DesktopEntry::link(const Names& names, const QString& url, const QString& icon)
{
    return head("Link", names, icon) + "URL=" + escaped(url).toUtf8() + '\n';
}

QString DesktopEntry::escaped(const QString& text)
{
    QString value;
    for (const QChar c : text) {
        if (c == QLatin1Char('\\'))
            value += QLatin1String("\\\\");
        else if (c == QLatin1Char('\n'))
            value += QLatin1String("\\n");
        else if (c == QLatin1Char('\r'))
            value += QLatin1String("\\r");
        else if (c == QLatin1Char('\t'))
            value += QLatin1String("\\t");
        else
            value += c;
    }
    // A leading space would be taken for the space after "=".
    if (value.startsWith(QLatin1Char(' ')))
        value.replace(0, 1, QLatin1String("\\s"));
    return value;
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
