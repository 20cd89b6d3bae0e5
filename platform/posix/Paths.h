#pragma once

#include <string>
#include <string_view>

namespace Quillorn::Posix {

// Paths as bytes, folders joined by "/": cleaned, made absolute, their folder, and the user's
// home folder.
class Paths {
public:
    // `path` without empty, "." and resolved ".." folders and without a trailing "/" (but
    // the root); ".." that climbs above a relative start is kept, above the root dropped.
    static std::string clean(std::string_view path);
    // `path` from the current folder when it is relative, cleaned.
    static std::string absolute(std::string_view path);
    // The folder that holds `path` ("/" for "/a" and for "/", "." for a bare name).
    static std::string folderOf(std::string_view path);
    // `path` with one "/" at its end.
    static std::string withTrailingSeparator(std::string_view path);
    // HOME, else the user's folder in the password database, else "/"; cleaned.
    static std::string home();
};

} // namespace Quillorn::Posix
