#pragma once

#include <string>
#include <string_view>

namespace Quillorn {

// The layout of the files an installer carries behind its program: the marker twice, the file
// list (each name followed by "/", folders joined by "\"), the separator, each file followed
// by the separator, and CR LF. The installer finds it by reading its own file.
class PayloadFormat {
public:
    // "s/Kitstart/p" and "p/NewFile/p", put together at run time from pieces: a program that
    // holds the marker as text would make the payload start inside the program.
    static std::string marker();
    static std::string separator();
    static std::string tail() { return "\r\n"; }

    // What separates the names in the list, and the folders within a name.
    static constexpr char NameEnd = '/';
    static constexpr char FolderSeparator = '\\';

    // Whether `name` (as written in the list, folders joined by "\") stays inside the folder
    // it is installed into: not empty, not absolute, no empty, "." or ".." folder, no control
    // characters, valid UTF-8.
    static bool isSafeName(std::string_view name);

    // A name of the list as a path below the installation folder ("\" turned into "/"), and
    // back.
    static std::string pathOf(std::string_view name);
    static std::string nameOf(std::string_view path);
};

} // namespace Quillorn
