#include "setup/SetupPlaces.h"

#include "platform/FileReader.h"
#include "setup/InstallLog.h"

#include <QStandardPaths>

namespace Quillorn {

namespace {

// The record holds one line; anything much longer is not ours.
constexpr qint64 MaxRecordSize = 64 * 1024;

} // namespace

SetupPlaces SetupPlaces::current()
{
    SetupPlaces places;
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    places.m_desktopFolder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    places.m_menuFolder = dataHome + QStringLiteral("/applications/Quillorn");
    places.m_record = dataHome + QStringLiteral("/Quill/install.log");
    places.m_defaultFolder = dataHome + QStringLiteral("/Quillorn/");
    return places;
}

QString SetupPlaces::proposedFolder() const
{
    const FileReader::Result read = FileReader::read(m_record, MaxRecordSize);
    const QStringList lines = InstallLog::lines(read.bytes);
    return lines.isEmpty() ? m_defaultFolder : lines.first();
}

} // namespace Quillorn
