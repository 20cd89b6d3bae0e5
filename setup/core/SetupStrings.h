#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace Quillorn {

// The installer's own strings by what they show: entries 0 to 14 are its original table, the
// rest were added after them, each in both languages.
enum class SetupStr : int {
    SelectLanguage = 0,
    Setup = 1,
    Stage = 2,
    Of = 3,
    Next = 4,
    Back = 5,
    Exit = 6,
    ExitQuestion = 7,
    SelectFolder = 8,
    Installation = 9,
    Progress = 10,
    Completed = 11,
    Welcome = 12,
    Ready = 13,
    DesktopIcon = 14,
    Finish = 15,
    CreatingFolders = 16,
    Unpacking = 17,
    Unpacked = 18,
    CopyingFile = 19,
    CreatingLinks = 20,
    Damaged = 21,
    UnsafeName = 22,
    NotWritten = 23,
    NotRead = 24,
    WebSiteEntry = 25,
    UninstallEntry = 26,
    Usage = 27,
    UnknownOption = 28,
    WindowNotLoaded = 29,
    Last = WindowNotLoaded,
};

// The installer's interface languages, in the order of its language list.
enum class SetupLanguage { English, Russian };

// The installer's string tables, English and Russian, one UTF-8 text each with entries
// separated by CR LF; the editor's language files play no part in the installer.
class SetupStrings {
public:
    explicit SetupStrings(SetupLanguage language)
        : m_language(language)
    {
    }

    SetupLanguage language() const { return m_language; }
    // The text of `str`, UTF-8, "<BR>" turned into CR LF.
    std::string text(SetupStr str) const;

    // The welcome page's description: each of its lines preceded by CR LF.
    std::string description() const;

    // `text` with "%1", "%2"... replaced by `values` in one pass (a value is never read for
    // places of its own).
    static std::string filled(std::string_view text,
                              std::initializer_list<std::string_view> values);

    // The name in the language list ("English", "Русский") and the editor's language folder
    // the installation is set to ("english", "russian").
    static std::string listName(SetupLanguage language);
    static std::string folderName(SetupLanguage language);
    // The language of a folder name, in any case; nothing for another name.
    static std::optional<SetupLanguage> fromFolderName(std::string_view name);

private:
    SetupLanguage m_language;
};

} // namespace Quillorn
