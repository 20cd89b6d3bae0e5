#include "setup/core/PayloadFormat.h"

#include "platform/posix/Utf8.h"

#include <algorithm>

namespace Quillorn {

namespace {

std::string replaced(std::string_view text, char from, char to)
{
    std::string result(text);
    std::replace(result.begin(), result.end(), from, to);
    return result;
}

} // namespace

std::string PayloadFormat::marker()
{
    std::string text("s/Kit");
    text += "start/p";
    return text;
}

std::string PayloadFormat::separator()
{
    std::string text("p/New");
    text += "File/p";
    return text;
}

bool PayloadFormat::isSafeName(std::string_view name)
{
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f || c == NameEnd)
            return false;
    }
    if (!Posix::Utf8::isValid(name.data(), name.size()))
        return false;
    for (size_t start = 0; start <= name.size();) {
        size_t end = name.find(FolderSeparator, start);
        if (end == std::string_view::npos)
            end = name.size();
        const std::string_view folder = name.substr(start, end - start);
        if (folder.empty() || folder == "." || folder == "..")
            return false;
        start = end + 1;
    }
    return true;
}

std::string PayloadFormat::pathOf(std::string_view name)
{
    return replaced(name, FolderSeparator, '/');
}

std::string PayloadFormat::nameOf(std::string_view path)
{
    return replaced(path, '/', FolderSeparator);
}

} // namespace Quillorn
