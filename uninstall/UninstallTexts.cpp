#include "uninstall/UninstallTexts.h"

namespace Quillorn {

QString UninstallTexts::question()
{
    return QStringLiteral("Do you want to uninstall Quillorn?\r\n"
                          "Вы действительно хотите удалить Quillorn?");
}

QString UninstallTexts::noLog(const QString& folder)
{
    return QStringLiteral("There is no installation log in %1; nothing was removed.\r\n"
                          "В папке %1 нет журнала установки; ничего не удалено.")
        .arg(folder);
}

QString UninstallTexts::foreignLog(const QString& folder)
{
    return QStringLiteral("The installation log in %1 names another installation folder; "
                          "nothing was removed.\r\n"
                          "Журнал установки в папке %1 называет другую папку установки; ничего "
                          "не удалено.")
        .arg(folder);
}

QString UninstallTexts::notCopied(const QString& path, const QString& reason)
{
    return QStringLiteral("Could not copy the uninstaller to %1: %2. Nothing was removed.\r\n"
                          "Не удалось скопировать программу удаления в %1: %2. Ничего не "
                          "удалено.")
        .arg(path, reason);
}

QString UninstallTexts::notAllDeleted(int count)
{
    return QStringLiteral("%1 of the logged files could not be deleted.\r\n"
                          "Не удалось удалить файлов из журнала: %1.")
        .arg(count);
}

QString UninstallTexts::usage()
{
    return QStringLiteral(
        "Usage: uninstall [--unattended]\r\n"
        "  --unattended  remove the installation without windows or questions, listing each "
        "file\r\n"
        "Запуск: uninstall [--unattended]\r\n"
        "  --unattended  удалить установку без окон и вопросов, перечисляя каждый файл");
}

} // namespace Quillorn
