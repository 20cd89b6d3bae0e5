#include "platform/FileFailure.h"

#include "platform/LangStrings.h"

#include <QDir>
#include <QFileInfo>

#include <cstring>

namespace Quillorn {

FileFailure::FileFailure(Action action, Kind kind, QString path, int systemError)
    : m_action(action)
    , m_kind(kind)
    , m_path(std::move(path))
    , m_systemError(systemError)
{
}

QString FileFailure::quoted(const QString& path)
{
    return QStringLiteral("\u201C%1\u201D").arg(QDir::toNativeSeparators(path));
}

QString FileFailure::reason(const LangStrings& strings) const
{
    switch (m_kind) {
    case Kind::None:
        return {};
    case Kind::NoName:
        return strings.message(Str::SaveNoName);
    case Kind::FolderMissing:
        return strings.message(Str::SaveFolderMissing, quoted(QFileInfo(m_path).absolutePath()));
    case Kind::Folder:
        return strings.message(Str::SaveIsFolder);
    case Kind::NotRegular:
        return strings.message(Str::SaveNotRegular);
    case Kind::NoTemporary:
        return strings.message(Str::SaveNoTemporary);
    case Kind::NoBackup:
        return strings.message(Str::SaveNoBackup);
    case Kind::Missing:
    case Kind::TooLarge:
    case Kind::System:
        break;
    }
    // The system's text, in the language of the user's locale.
    return QString::fromLocal8Bit(std::strerror(m_systemError));
}

QString FileFailure::describe(const LangStrings& strings) const
{
    if (m_action == Action::Save)
        return describe(strings, Str::SaveFailed);
    switch (m_kind) {
    case Kind::None:
        return {};
    case Kind::Missing:
        return strings.message(Str::FileMissingNamed, quoted(m_path));
    case Kind::Folder:
        return strings.message(Str::FileIsFolder, quoted(m_path));
    case Kind::NotRegular:
        return strings.message(Str::FileNotRegular, quoted(m_path));
    case Kind::TooLarge:
        return strings.message(Str::FileTooLarge, quoted(m_path));
    default:
        return describe(strings, Str::FileUnreadable);
    }
}

QString FileFailure::describe(const LangStrings& strings, Str sentence) const
{
    return strings.message(sentence, quoted(m_path), reason(strings));
}

} // namespace Quillorn
