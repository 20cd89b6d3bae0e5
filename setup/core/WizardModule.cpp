#include "setup/core/WizardModule.h"

#include "platform/posix/Descriptor.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace Quillorn {

namespace {

// dlopen's own reason, or the system's for `error`.
std::string reason(int error = 0)
{
    const char* text = error ? std::strerror(error) : ::dlerror();
    return text ? text : "unknown error";
}

} // namespace

WizardModule::Entry WizardModule::load(std::string_view module, std::string& error)
{
    void* handle = fromMemoryFile(module, error);
    if (!handle) {
        const std::string first = error;
        handle = fromTemporaryFile(module, error);
        if (!handle)
            error = first + "; " + error;
    }
    if (!handle)
        return nullptr;
    auto entry = reinterpret_cast<Entry>(::dlsym(handle, EntryName));
    if (!entry)
        error = reason();
    return entry;
}

void* WizardModule::fromMemoryFile(std::string_view module, std::string& error)
{
    const Posix::Descriptor file(::memfd_create("quillsetup-wizard", MFD_CLOEXEC));
    if (!file.isOpen()) {
        error = "no memory file: " + reason(errno);
        return nullptr;
    }
    if (const int failure = file.write(module.data(), module.size())) {
        error = "no memory file: " + reason(failure);
        return nullptr;
    }
    const std::string path = "/proc/self/fd/" + std::to_string(file.fd());
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        error = reason();
    return handle;
}

void* WizardModule::fromTemporaryFile(std::string_view module, std::string& error)
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::string path =
        std::string(runtime && *runtime ? runtime : "/tmp") + "/quillsetup-wizard-XXXXXX";
    Posix::Descriptor file(::mkostemp(path.data(), O_CLOEXEC));
    if (!file.isOpen()) {
        error = path + ": " + reason(errno);
        return nullptr;
    }
    int failure = file.write(module.data(), module.size());
    if (!failure)
        failure = file.close();
    void* handle = failure ? nullptr : ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        error = path + ": " + reason(failure);
    // Loaded or not, the file goes at once: nobody else may load or change it.
    ::unlink(path.c_str());
    return handle;
}

} // namespace Quillorn
