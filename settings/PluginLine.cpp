#include "settings/PluginLine.h"

#include <QFileInfo>

namespace Quillorn {

namespace {

const QString Separator = QStringLiteral("\\\\\\");

} // namespace

std::optional<PluginLine> PluginLine::parse(const QString& value)
{
    const QStringList fields = value.split(Separator);
    if (fields.size() < 2 || fields.at(1).isEmpty())
        return std::nullopt;
    return PluginLine{fields.at(0), fields.at(1)};
}

QString PluginLine::forFile(const QString& file)
{
    return QFileInfo(file).baseName() + Separator + file;
}

QString PluginLine::path(const QString& appDir) const
{
    return appDir + QLatin1String("plug-ins/") + file;
}

} // namespace Quillorn
