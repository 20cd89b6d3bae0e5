#include "setup/SetupStrings.h"

#include <QList>
#include <QStringView>

namespace Quillorn {

namespace {

// One text per language, entries separated by CR LF; "<BR>" in an entry is a line break.
constexpr char16_t EnglishTable[] =
    u"Select language\r\n"
    u"Setup\r\n"
    u"Stage\r\n"
    u"of\r\n"
    u"Next\r\n"
    u"Back\r\n"
    u"Exit\r\n"
    u"Are you sure you want to exit?\r\n"
    u"Please, select directory to install\r\n"
    u"Installation\r\n"
    u"Progress\r\n"
    u"Setup has been successfully completed!\r\n"
    u"Welcome to Quillorn instalation\r\n"
    u"Now we available to start instalation. Click Next to start.\r\n"
    u"Create desktop icon\r\n"
    u"Finish\r\n"
    u"Creating directories...\r\n"
    u"Unpacking...\r\n"
    u"Unpacking was successful\r\n"
    u"Copying file %1<BR> To <BR>%2\r\n"
    u"Creating settings file and links...\r\n"
    u"The installer is damaged: part of it is missing or changed, so it cannot install "
    u"Quillorn. Nothing was installed. Please download it again.\r\n"
    u"The installer is damaged: it names a file outside the installation folder (%1). "
    u"Nothing was installed. Please download it again.\r\n"
    u"Could not write %1: %2. The installation has stopped.\r\n"
    u"Could not read %1: %2. Nothing was installed.\r\n"
    u"Official web site\r\n"
    u"Uninstall Quillorn\r\n"
    u"Usage: quillsetup [--unattended] [--dir FOLDER] [--language english|russian] "
    u"[--no-desktop-icon]<BR>"
    u"Without --unattended the setup window opens with these choices made.<BR>"
    u"  --unattended       install without windows or pauses, printing the progress<BR>"
    u"  --dir FOLDER       the installation folder (the last one used, or "
    u"~/.local/share/Quillorn/)<BR>"
    u"  --language NAME    the editor's language: english (the default) or russian<BR>"
    u"  --no-desktop-icon  make no entry on the desktop\r\n"
    u"Unknown option or missing value: %1";

constexpr char16_t RussianTable[] =
    u"Выберите язык\r\n"
    u"Установка\r\n"
    u"Этап\r\n"
    u"из\r\n"
    u"Далее\r\n"
    u"Назад\r\n"
    u"Выход\r\n"
    u"Вы действительно хотите выйти?\r\n"
    u"Выберите директорию для установки\r\n"
    u"Установка\r\n"
    u"Прогресс\r\n"
    u"Установка была успешно завершена!\r\n"
    u"Вас приветствует установка Quillorn\r\n"
    u"Все готово для начала установки. Нажмите Далее для продолжения.\r\n"
    u"Создать иконку на рабочем столе\r\n"
    u"Готово\r\n"
    u"Создание папок...\r\n"
    u"Распаковка...\r\n"
    u"Распаковка прошла успешно\r\n"
    u"Копирование файла %1<BR> в <BR>%2\r\n"
    u"Создание файла настроек и ярлыков...\r\n"
    u"Установщик повреждён: часть его отсутствует или изменена, поэтому он не может "
    u"установить Quillorn. Ничего не установлено. Загрузите его заново.\r\n"
    u"Установщик повреждён: в нём назван файл вне папки установки (%1). Ничего не "
    u"установлено. Загрузите его заново.\r\n"
    u"Не удалось записать %1: %2. Установка остановлена.\r\n"
    u"Не удалось прочитать %1: %2. Ничего не установлено.\r\n"
    u"Официальный сайт\r\n"
    u"Удалить Quillorn\r\n"
    u"Запуск: quillsetup [--unattended] [--dir ПАПКА] [--language english|russian] "
    u"[--no-desktop-icon]<BR>"
    u"Без --unattended открывается окно установки с этими настройками.<BR>"
    u"  --unattended       установить без окон и пауз, печатая ход установки<BR>"
    u"  --dir ПАПКА        папка установки (прошлая или ~/.local/share/Quillorn/)<BR>"
    u"  --language ЯЗЫК    язык редактора: english (по умолчанию) или russian<BR>"
    u"  --no-desktop-icon  не создавать значок на рабочем столе\r\n"
    u"Неизвестный параметр или нет значения: %1";

constexpr char16_t EnglishDescription[] =
    u"\r\nThis programm represent HTML editor, with highlightening syntax and visual editor."
    u"\r\n"
    u"\r\nVersion: 2.59";

constexpr char16_t RussianDescription[] =
    u"\r\nЭта программа представляет из себя HTML редактор, с подсветкой синтаксиса и "
    u"визуальным редатором."
    u"\r\n"
    u"\r\nВерсия продукта: 2.59";

} // namespace

QString SetupStrings::text(SetupStr str) const
{
    const QStringView table(m_language == SetupLanguage::Russian ? RussianTable : EnglishTable);
    const QList<QStringView> entries = table.split(u"\r\n");
    Q_ASSERT(entries.size() == int(SetupStr::Last) + 1);
    return entries.at(int(str)).toString().replace(QLatin1String("<BR>"), QLatin1String("\r\n"));
}

QString SetupStrings::description() const
{
    return QString::fromUtf16(m_language == SetupLanguage::Russian ? RussianDescription
                                                                   : EnglishDescription);
}

QString SetupStrings::listName(SetupLanguage language)
{
    return language == SetupLanguage::Russian ? QStringLiteral("Русский")
                                              : QStringLiteral("English");
}

QString SetupStrings::folderName(SetupLanguage language)
{
    return language == SetupLanguage::Russian ? QStringLiteral("russian")
                                              : QStringLiteral("english");
}

std::optional<SetupLanguage> SetupStrings::fromFolderName(const QString& name)
{
    for (const SetupLanguage language : {SetupLanguage::English, SetupLanguage::Russian}) {
        if (name.compare(folderName(language), Qt::CaseInsensitive) == 0)
            return language;
    }
    return std::nullopt;
}

} // namespace Quillorn
