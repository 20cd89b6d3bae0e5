#pragma once

#include <string>
#include <string_view>

namespace Quillorn {

// The setup window's shared module, carried inside the installer program as bytes and loaded
// from them: from an unnamed memory file, or where the system has none, from a private
// temporary file removed as soon as it is loaded. Only the window needs Qt, so only the window
// loads it.
class WizardModule {
public:
    // The module's one entry: the setup window over the installer at `installerPath`, with
    // the choices of `argv`; the program's exit code.
    using Entry = int (*)(int argc, char** argv, const char* installerPath);
    static constexpr const char* EntryName = "quillsetupWizardMain";

    // The entry of the module whose bytes are `module`, or null with `error` telling why.
    static Entry load(std::string_view module, std::string& error);

private:
    static void* fromMemoryFile(std::string_view module, std::string& error);
    static void* fromTemporaryFile(std::string_view module, std::string& error);
};

} // namespace Quillorn
