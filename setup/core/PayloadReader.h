#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace Quillorn {

// Finds the files an installer carries in the bytes of its own program file (see
// PayloadFormat), and refuses a payload that is cut short or damaged, or that names a file
// outside the installation folder, before anything is written.
class PayloadReader {
public:
    struct File {
        std::string path;       // below the installation folder, folders joined by "/"
        std::string_view bytes; // inside the bytes that were read
    };

    enum class Failure {
        None,
        Damaged,    // no payload, or names and files that do not pair up
        UnsafeName, // a name that would leave the installation folder
    };

    struct Result {
        std::vector<File> files;
        Failure failure = Failure::None;
        std::string badName; // the unsafe name, as written in the list
        bool ok() const { return failure == Failure::None; }
    };

    // The files of the payload behind the last marker in `program`, which must outlive the
    // result. Every piece between separators is a file named by the list entry of the same
    // place; the piece after the last separator is the tail and is never a file.
    static Result read(std::string_view program);
};

} // namespace Quillorn
