#include "settings/SettingsDraft.h"

#include "platform/AppPaths.h"

#include <QDir>
#include <QUrl>

namespace Quillorn {

QStringList SettingsDraft::languages(const QString& appDir)
{
    return QDir(appDir + QLatin1String("languages"))
        .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

bool SettingsDraft::addExternalProgram(const ExternalProgram& program)
{
    for (const QString* field : {&program.name, &program.ddeMessage, &program.program,
                                 &program.programPath, &program.division}) {
        if (field->trimmed().isEmpty())
            return false;
    }
    m_settings.addExternalProgram(program);
    return true;
}

void SettingsDraft::removeExternalProgram(int index)
{
    Q_ASSERT(index >= 1 && index < m_settings.externalPrograms.size());
    m_settings.externalPrograms.removeAt(index);
}

QString SettingsDraft::folderPath(const QString& text)
{
    const QString folder = text.trimmed();
    return folder.isEmpty() ? folder : AppPaths::withTrailingSeparator(folder);
}

QString SettingsDraft::serverAddress(const QString& text)
{
    QString address = text.trimmed();
    if (!address.isEmpty() && !address.contains(QLatin1String("://")))
        address.prepend(QLatin1String("http://"));
    const QUrl url(address, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return Settings::defaultServerAddress();
    return AppPaths::withTrailingSeparator(url.toString());
}

void SettingsDraft::takeOver(const Settings& edited, Settings& live)
{
    const auto recent = live.recentFiles;
    live = edited;
    live.recentFiles = recent;
}

} // namespace Quillorn
