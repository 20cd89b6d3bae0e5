#pragma once

#include <string>
#include <string_view>

namespace Quillorn::Posix {

// Text for the values of freedesktop desktop entries, which the editor's file associations
// and the installer's shortcuts both write, over UTF-8 bytes.
class DesktopValue {
public:
    // A string value: backslashes and control characters escaped, a leading space kept.
    static std::string escaped(std::string_view text);
};

} // namespace Quillorn::Posix
