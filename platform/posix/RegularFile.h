#pragma once

#include "platform/posix/Descriptor.h"

#include <cstddef>
#include <string>
#include <sys/types.h>

namespace Quillorn::Posix {

// Opens regular files only: folders, devices, pipes and sockets are refused (checked on the
// opened descriptor, opened so that a pipe never blocks), and reads a small one whole up to a
// cap.
class RegularFile {
public:
    enum class Refusal {
        None,
        Missing,    // nothing at the path
        Folder,     // a folder where a file was expected
        NotRegular, // a device, pipe or socket
        System,     // the system refused: see error
    };

    struct Opened {
        Descriptor file; // open when `refusal` is None
        Refusal refusal = Refusal::None;
        int error = 0; // errno, for Missing and System
        off_t size = 0;
    };

    // `path` opened for reading when it is a regular file: checked before opening unless
    // `checkFirst` is false (a folder listing has just told), and again on the descriptor.
    static Opened open(const char* path, bool checkFirst = true);

    // The first `cap` bytes of the regular file at `path` into `bytes`; false, with `bytes`
    // empty, when it is none or cannot be read.
    static bool read(const char* path, size_t cap, std::string& bytes);
};

} // namespace Quillorn::Posix
