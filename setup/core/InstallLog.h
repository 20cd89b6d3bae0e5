#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace Quillorn {

// The installation log and the record of the last installation folder: one full path a
// line, each line ended by CR LF. The log's first line is the installation folder, the others
// are the installed files and desktop entries in the order they were made.
class InstallLog {
public:
    static std::string line(std::string_view path);

    // The lines of `bytes`, ended by CR LF or LF alone (the file may have been edited by
    // hand), a last line without an end included; empty lines are passed over.
    static std::vector<std::string> lines(std::string_view bytes);
};

} // namespace Quillorn
