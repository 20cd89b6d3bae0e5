#include "platform/posix/RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Quillorn::Posix {

namespace {

RegularFile::Refusal refusalOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return RegularFile::Refusal::Folder;
    return S_ISREG(mode) ? RegularFile::Refusal::None : RegularFile::Refusal::NotRegular;
}

RegularFile::Refusal refusalOf(int error)
{
    return error == ENOENT || error == ENOTDIR ? RegularFile::Refusal::Missing
                                               : RegularFile::Refusal::System;
}

} // namespace

RegularFile::Opened RegularFile::open(const char* path, bool checkFirst)
{
    Opened opened;
    const auto fail = [&](Refusal refusal, int error = 0) {
        opened.file = Descriptor();
        opened.refusal = refusal;
        opened.error = error;
        return std::move(opened);
    };
    if (*path == '\0')
        return fail(Refusal::Missing);
    // What is no regular file is refused before it is opened (opening some devices acts on
    // them), and again on the descriptor, in case the name changed in between.
    struct stat info;
    if (checkFirst) {
        if (::stat(path, &info) != 0)
            return fail(refusalOf(errno), errno);
        if (refusalOf(info.st_mode) != Refusal::None)
            return fail(refusalOf(info.st_mode));
    }
    // Without O_NONBLOCK, opening a pipe waits for a writer that may never come.
    opened.file = Descriptor::open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY);
    if (!opened.file.isOpen())
        return fail(refusalOf(errno), errno);
    if (::fstat(opened.file.fd(), &info) != 0)
        return fail(Refusal::System, errno);
    if (refusalOf(info.st_mode) != Refusal::None)
        return fail(refusalOf(info.st_mode));
    opened.size = info.st_size;
    return opened;
}

bool RegularFile::read(const char* path, size_t cap, std::string& bytes)
{
    bytes.clear();
    const Opened opened = open(path);
    if (!opened.file.isOpen())
        return false;
    bytes.resize(std::min(cap, size_t(opened.size)));
    size_t total = 0;
    while (total < bytes.size()) {
        const ssize_t got = ::read(opened.file.fd(), bytes.data() + total, bytes.size() - total);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            bytes.clear();
            return false;
        }
        if (got == 0)
            break;
        total += size_t(got);
    }
    bytes.resize(total);
    return true;
}

} // namespace Quillorn::Posix
