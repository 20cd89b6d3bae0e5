#include "platform/posix/DesktopValue.h"

namespace Quillorn::Posix {

std::string DesktopValue::escaped(std::string_view text)
{
    std::string value;
    value.reserve(text.size());
    for (const char c : text) {
        if (c == '\\')
            value += "\\\\";
        else if (c == '\n')
            value += "\\n";
        else if (c == '\r')
            value += "\\r";
        else if (c == '\t')
            value += "\\t";
        else
            value += c;
    }
    // A leading space would be taken for the space after "=".
    if (!value.empty() && value.front() == ' ')
        value.replace(0, 1, "\\s");
    return value;
}

} // namespace Quillorn::Posix
