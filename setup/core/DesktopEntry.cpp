#include "setup/core/DesktopEntry.h"

#include "platform/posix/DesktopValue.h"

namespace Quillorn {

namespace {

using Posix::DesktopValue;

std::string head(std::string_view type, const DesktopEntry::Names& names, std::string_view icon)
{
    return "[Desktop Entry]\nType=" + std::string(type) +
           "\nName=" + DesktopValue::escaped(names.english) +
           "\nName[ru]=" + DesktopValue::escaped(names.russian) +
           "\nIcon=" + DesktopValue::escaped(icon) + '\n';
}

} // namespace

std::string DesktopEntry::application(const Names& names, std::string_view program,
                                      std::string_view icon, std::string_view workingFolder)
{
    return head("Application", names, icon) +
           "Exec=" + DesktopValue::escaped(execArgument(program)) +
           "\nPath=" + DesktopValue::escaped(workingFolder) +
           "\nTerminal=false\nCategories=Development;WebDevelopment;\n";
}

std::string DesktopEntry::link(const Names& names, std::string_view url, std::string_view icon)
{
    return head("Link", names, icon) + "URL=" + DesktopValue::escaped(url) + '\n';
}

std::string DesktopEntry::execArgument(std::string_view path)
{
    std::string argument = "\"";
    for (const char c : path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            argument += '\\';
        argument += c;
        // A field code begins with "%": a percent sign of the path is written twice.
        if (c == '%')
            argument += c;
    }
    return argument + '"';
}

} // namespace Quillorn
