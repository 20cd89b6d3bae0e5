#pragma once

#include <string>
#include <string_view>

namespace Quillorn {

// The text of a desktop entry, this desktop's shortcut: a program to start in a working
// folder, or an address to open, under a name in English and in Russian. Texts and paths are
// UTF-8 bytes.
class DesktopEntry {
public:
    struct Names {
        std::string english;
        std::string russian;
    };

    static std::string application(const Names& names, std::string_view program,
                                   std::string_view icon, std::string_view workingFolder);
    static std::string link(const Names& names, std::string_view url, std::string_view icon);

    // `path` as the program of an Exec line: quoted, with what the quotes and the field codes
    // would take for their own escaped.
    static std::string execArgument(std::string_view path);
};

} // namespace Quillorn
