#include "setup/core/SetupStrings.h"

#include <algorithm>

namespace Quillorn {

namespace {

// One text per language, entries separated by CR LF; "<BR>" in an entry is a line break.
constexpr char EnglishTable[] =
    "Select language\r\n"
    "Setup\r\n"
    "Stage\r\n"
    "of\r\n"
    "Next\r\n"
    "Back\r\n"
    "Exit\r\n"
    "Are you sure you want to exit?\r\n"
    "Please, select directory to install\r\n"
    "Installation\r\n"
    "Progress\r\n"
    "Setup has been successfully completed!\r\n"
    "Welcome to Quillorn instalation\r\n"
    "Now we available to start instalation. Click Next to start.\r\n"
    "Create desktop icon\r\n"
    "Finish\r\n"
    "Creating directories...\r\n"
    "Unpacking...\r\n"
    "Unpacking was successful\r\n"
    "Copying file %1<BR> To <BR>%2\r\n"
    "Creating settings file and links...\r\n"
    "The installer is damaged: part of it is missing or changed, so it cannot install "
    "Quillorn. Nothing was installed. Please download it again.\r\n"
    "The installer is damaged: it names a file outside the installation folder (%1). "
    "Nothing was installed. Please download it again.\r\n"
    "Could not write %1: %2. The installation has stopped.\r\n"
    "Could not read %1: %2. Nothing was installed.\r\n"
    "Official web site\r\n"
    "Uninstall Quillorn\r\n"
    "Usage: quillsetup [--unattended] [--dir FOLDER] [--language english|russian] "
    "[--no-desktop-icon]<BR>"
    "Without --unattended the setup window opens with these choices made.<BR>"
    "  --unattended       install without windows or pauses, printing the progress<BR>"
    "  --dir FOLDER       the installation folder (the last one used, or "
    "~/.local/share/Quillorn/)<BR>"
    "  --language NAME    the editor's language: english (the default) or russian<BR>"
    "  --no-desktop-icon  make no entry on the desktop\r\n"
    "Unknown option or missing value: %1\r\n"
    "The setup window cannot be opened (%1). Run quillsetup --unattended to install without "
    "it.";

constexpr char RussianTable[] =
    "Выберите язык\r\n"
    "Установка\r\n"
    "Этап\r\n"
    "из\r\n"
    "Далее\r\n"
    "Назад\r\n"
    "Выход\r\n"
    "Вы действительно хотите выйти?\r\n"
    "Выберите директорию для установки\r\n"
    "Установка\r\n"
    "Прогресс\r\n"
    "Установка была успешно завершена!\r\n"
    "Вас приветствует установка Quillorn\r\n"
    "Все готово для начала установки. Нажмите Далее для продолжения.\r\n"
    "Создать иконку на рабочем столе\r\n"
    "Готово\r\n"
    "Создание папок...\r\n"
    "Распаковка...\r\n"
    "Распаковка прошла успешно\r\n"
    "Копирование файла %1<BR> в <BR>%2\r\n"
    "Создание файла настроек и ярлыков...\r\n"
    "Установщик повреждён: часть его отсутствует или изменена, поэтому он не может "
    "установить Quillorn. Ничего не установлено. Загрузите его заново.\r\n"
    "Установщик повреждён: в нём назван файл вне папки установки (%1). Ничего не "
    "установлено. Загрузите его заново.\r\n"
    "Не удалось записать %1: %2. Установка остановлена.\r\n"
    "Не удалось прочитать %1: %2. Ничего не установлено.\r\n"
    "Официальный сайт\r\n"
    "Удалить Quillorn\r\n"
    "Запуск: quillsetup [--unattended] [--dir ПАПКА] [--language english|russian] "
    "[--no-desktop-icon]<BR>"
    "Без --unattended открывается окно установки с этими настройками.<BR>"
    "  --unattended       установить без окон и пауз, печатая ход установки<BR>"
    "  --dir ПАПКА        папка установки (прошлая или ~/.local/share/Quillorn/)<BR>"
    "  --language ЯЗЫК    язык редактора: english (по умолчанию) или russian<BR>"
    "  --no-desktop-icon  не создавать значок на рабочем столе\r\n"
    "Неизвестный параметр или нет значения: %1\r\n"
    "Не удаётся открыть окно установки (%1). Запустите quillsetup --unattended, чтобы "
    "установить без него.";

constexpr char EnglishDescription[] =
    "\r\nThis programm represent HTML editor, with highlightening syntax and visual editor."
    "\r\n"
    "\r\nVersion: 2.59";

constexpr char RussianDescription[] =
    "\r\nЭта программа представляет из себя HTML редактор, с подсветкой синтаксиса и "
    "визуальным редатором."
    "\r\n"
    "\r\nВерсия продукта: 2.59";

constexpr int entryCount(std::string_view table)
{
    int count = 1;
    for (size_t at = table.find("\r\n"); at != std::string_view::npos;
         at = table.find("\r\n", at + 2))
        ++count;
    return count;
}

static_assert(entryCount(EnglishTable) == int(SetupStr::Last) + 1);
static_assert(entryCount(RussianTable) == int(SetupStr::Last) + 1);

} // namespace

std::string SetupStrings::text(SetupStr str) const
{
    const std::string_view table(m_language == SetupLanguage::Russian ? RussianTable
                                                                      : EnglishTable);
    size_t start = 0;
    for (int entry = 0; entry < int(str); ++entry)
        start = table.find("\r\n", start) + 2;
    const size_t end = table.find("\r\n", start);
    std::string text(table.substr(start, end == std::string_view::npos ? end : end - start));
    for (size_t at = text.find("<BR>"); at != std::string::npos; at = text.find("<BR>", at + 2))
        text.replace(at, 4, "\r\n");
    return text;
}

std::string SetupStrings::description() const
{
    return m_language == SetupLanguage::Russian ? RussianDescription : EnglishDescription;
}

std::string SetupStrings::filled(std::string_view text,
                                 std::initializer_list<std::string_view> values)
{
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t index = i + 1 < text.size() ? size_t(text[i + 1] - '1') : values.size();
        if (text[i] == '%' && index < values.size()) {
            result += values.begin()[index];
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

std::string SetupStrings::listName(SetupLanguage language)
{
    return language == SetupLanguage::Russian ? "Русский" : "English";
}

std::string SetupStrings::folderName(SetupLanguage language)
{
    return language == SetupLanguage::Russian ? "russian" : "english";
}

std::optional<SetupLanguage> SetupStrings::fromFolderName(std::string_view name)
{
    const auto lower = [](char c) {
        return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
    };
    for (const SetupLanguage language : {SetupLanguage::English, SetupLanguage::Russian}) {
        const std::string folder = folderName(language);
        if (std::equal(name.begin(), name.end(), folder.begin(), folder.end(),
                       [&](char a, char b) { return lower(a) == b; }))
            return language;
    }
    return std::nullopt;
}

} // namespace Quillorn
