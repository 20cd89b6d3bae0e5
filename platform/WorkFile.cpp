#include "platform/WorkFile.h"

#include "platform/TempFiles.h"

#include <QFile>

#include <unistd.h>

namespace Quillorn {

WorkFile::WorkFile(WorkFile&& other) noexcept
    : m_path(std::exchange(other.m_path, QString()))
{
}

WorkFile& WorkFile::operator=(WorkFile&& other) noexcept
{
    if (this != &other) {
        remove();
        m_path = std::exchange(other.m_path, QString());
    }
    return *this;
}

WorkFile::~WorkFile()
{
    remove();
}

WorkFile WorkFile::write(const QString& folder, const QString& prefix, const QString& suffix,
                         const QByteArray& bytes, FileFailure& failure, mode_t mode)
{
    TempFiles::Created created = TempFiles::create(folder, prefix, suffix, mode);
    failure = created.failure;
    if (!created.ok())
        return {};
    WorkFile file(created.path);
    int error = created.file.write(bytes);
    if (error == 0)
        error = created.file.close();
    if (error != 0) {
        failure = FileFailure::saving(FileFailure::Kind::System, created.path, error);
        return {};
    }
    return file;
}

void WorkFile::remove()
{
    if (!m_path.isEmpty())
        ::unlink(QFile::encodeName(m_path).constData());
    m_path.clear();
}

} // namespace Quillorn
