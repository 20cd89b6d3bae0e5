#include "setup/core/InstallLog.h"

namespace Quillorn {

std::string InstallLog::line(std::string_view path)
{
    std::string line(path);
    line += "\r\n";
    return line;
}

std::vector<std::string> InstallLog::lines(std::string_view bytes)
{
    std::vector<std::string> lines;
    for (size_t start = 0; start <= bytes.size();) {
        size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos)
            end = bytes.size();
        std::string_view line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!line.empty())
            lines.emplace_back(line);
        start = end + 1;
    }
    return lines;
}

} // namespace Quillorn
