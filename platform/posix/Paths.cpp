#include "platform/posix/Paths.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace Quillorn::Posix {

std::string Paths::clean(std::string_view path)
{
    const bool rooted = !path.empty() && path.front() == '/';
    std::vector<std::string_view> folders;
    for (size_t start = 0; start <= path.size();) {
        size_t end = path.find('/', start);
        if (end == std::string_view::npos)
            end = path.size();
        const std::string_view folder = path.substr(start, end - start);
        if (folder == "..") {
            if (!folders.empty() && folders.back() != "..")
                folders.pop_back();
            else if (!rooted)
                folders.push_back(folder);
        } else if (!folder.empty() && folder != ".") {
            folders.push_back(folder);
        }
        start = end + 1;
    }
    std::string cleaned = rooted ? "/" : "";
    for (size_t i = 0; i < folders.size(); ++i) {
        if (i > 0)
            cleaned += '/';
        cleaned += folders[i];
    }
    return cleaned.empty() ? (path.empty() ? "" : ".") : cleaned;
}

std::string Paths::absolute(std::string_view path)
{
    if (!path.empty() && path.front() == '/')
        return clean(path);
    char* current = ::getcwd(nullptr, 0);
    std::string joined = current ? current : "/";
    std::free(current);
    return clean(joined + '/' + std::string(path));
}

std::string Paths::folderOf(std::string_view path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string_view::npos)
        return ".";
    return slash == 0 ? "/" : std::string(path.substr(0, slash));
}

std::string Paths::withTrailingSeparator(std::string_view path)
{
    std::string result(path);
    if (result.empty() || result.back() != '/')
        result += '/';
    return result;
}

std::string Paths::home()
{
    const char* home = std::getenv("HOME");
    if (home && *home)
        return clean(home);
    if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir && *user->pw_dir)
        return clean(user->pw_dir);
    return "/";
}

} // namespace Quillorn::Posix
