#include "documents/RecoveryStore.h"

#include "documents/FileIO.h"
#include "platform/TempFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>
#include <QStandardPaths>
#include <QUrl>

#include <algorithm>
#include <limits>
#include <optional>

namespace Quillorn {

namespace {

const QByteArray Magic = QByteArrayLiteral("Quillorn recovery 1");
const QByteArray LineEnd = QByteArrayLiteral("\r\n");
const QByteArray HeaderEnd = QByteArrayLiteral("\r\n\r\n");
const QString LockName = QStringLiteral("lock");
const QString CopySuffix = QStringLiteral(".copy");
// No copy is larger than the largest document the editor opens without asking, and more.
constexpr qint64 CopyCap = 4LL * 1024 * 1024 * 1024;

QByteArray field(const char* key, const QByteArray& value)
{
    return QByteArray(key) + '=' + value + LineEnd;
}

QByteArray textField(const char* key, const QString& value)
{
    // Names and paths may hold line ends of their own.
    return field(key, QUrl::toPercentEncoding(value));
}

std::optional<int> number(const QByteArray& text, int last)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 0 || value > last)
        return std::nullopt;
    return value;
}

} // namespace

QString RecoveryStore::folderFor(const QString& appDir)
{
    const QByteArray installation =
        QCryptographicHash::hash(QFile::encodeName(QDir::cleanPath(appDir)),
                                 QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QLatin1String("/quillorn/recovery/") + QString::fromLatin1(installation);
}

RecoveryStore::RecoveryStore(const QString& folder)
    : m_folder(folder)
{
}

RecoveryStore::~RecoveryStore() = default;

QByteArray RecoveryStore::encode(const Document& document)
{
    const Encoding& e = document.encoding;
    return Magic + LineEnd + textField("name", document.name) + textField("path", document.path) +
           field("form", QByteArray::number(static_cast<int>(e.form))) +
           field("charset", e.name.toPercentEncoding()) +
           field("bom", e.byteOrderMark ? "1" : "0") +
           field("source", QByteArray::number(static_cast<int>(e.source))) +
           field("declared", e.declared.toPercentEncoding()) +
           field("slot", QByteArray::number(document.slot)) +
           field("caret", QByteArray::number(document.caretLine)) +
           field("size", QByteArray::number(document.utf8.size())) + LineEnd + document.utf8;
}

std::optional<RecoveryStore::Document> RecoveryStore::decode(const QByteArray& bytes)
{
    const qsizetype headerEnd = bytes.indexOf(HeaderEnd);
    if (headerEnd < 0)
        return std::nullopt;
    const QList<QByteArray> lines = bytes.left(headerEnd).split('\n');
    if (lines.value(0) != Magic + '\r')
        return std::nullopt;
    QHash<QByteArray, QByteArray> fields;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].endsWith('\r') ? lines[i].chopped(1) : lines[i];
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0)
            return std::nullopt;
        fields.insert(line.left(equals), line.mid(equals + 1));
    }
    for (const char* key : {"name", "path", "form", "charset", "bom", "source", "declared", "slot",
                            "caret", "size"}) {
        if (!fields.contains(key))
            return std::nullopt;
    }
    const auto form = number(fields["form"], static_cast<int>(Encoding::Form::Converter));
    const auto source = number(fields["source"], static_cast<int>(Encoding::Source::New));
    const auto slot = number(fields["slot"], std::numeric_limits<int>::max());
    const auto caret = number(fields["caret"], std::numeric_limits<int>::max());
    bool sizeOk = false;
    const qint64 size = fields["size"].toLongLong(&sizeOk);
    const QByteArray body = bytes.mid(headerEnd + HeaderEnd.size());
    if (!form || !source || !slot || !caret || !sizeOk || size != body.size())
        return std::nullopt;

    Document document;
    document.name = QUrl::fromPercentEncoding(fields["name"]);
    document.path = QUrl::fromPercentEncoding(fields["path"]);
    document.encoding.form = static_cast<Encoding::Form>(*form);
    document.encoding.name = QByteArray::fromPercentEncoding(fields["charset"]);
    document.encoding.byteOrderMark = fields["bom"] == "1";
    document.encoding.source = static_cast<Encoding::Source>(*source);
    document.encoding.declared = QByteArray::fromPercentEncoding(fields["declared"]);
    document.slot = *slot;
    document.caretLine = *caret;
    document.utf8 = body;
    if (document.name.isEmpty() || document.encoding.name.isEmpty())
        return std::nullopt;
    return document;
}

FileFailure RecoveryStore::ensureOwnFolder()
{
    if (!m_own.isEmpty())
        return {};
    QDir().mkpath(QFileInfo(QFileInfo(m_folder).path()).path());
    TempFiles::privateFolder(QFileInfo(m_folder).path(), true);
    if (TempFiles::privateFolder(m_folder, true).isEmpty())
        return FileFailure::saving(FileFailure::Kind::FolderMissing, m_folder);
    // A name no other editor holds: a folder that already exists is never shared.
    for (int attempt = 0; attempt < 8; ++attempt) {
        const QString own = m_folder + QLatin1Char('/') + TempFiles::randomHex(12);
        if (QFileInfo::exists(own))
            continue;
        if (TempFiles::privateFolder(own, false).isEmpty())
            break;
        auto lock = std::make_unique<QLockFile>(own + QLatin1Char('/') + LockName);
        if (!lock->tryLock(0))
            break;
        m_lock = std::move(lock);
        m_own = own;
        return {};
    }
    return FileFailure::saving(FileFailure::Kind::NoTemporary, m_folder);
}

QString RecoveryStore::copyPath(quint64 id) const
{
    return m_own + QLatin1Char('/') + QString::number(id) + CopySuffix;
}

FileFailure RecoveryStore::keep(quint64 id, const Document& document)
{
    if (const FileFailure failure = ensureOwnFolder(); !failure.ok())
        return failure;
    return FileIO::saveFile(copyPath(id), encode(document));
}

void RecoveryStore::forget(quint64 id)
{
    if (!m_own.isEmpty())
        QFile::remove(copyPath(id));
}

void RecoveryStore::clear()
{
    if (m_own.isEmpty())
        return;
    m_lock.reset();
    QDir(m_own).removeRecursively();
    m_own.clear();
}

RecoveryStore::LeftBehind RecoveryStore::findLeftBehind() const
{
    LeftBehind found;
    const QDir base(m_folder);
    for (const QFileInfo& folder : base.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString path = folder.absoluteFilePath();
        if (path == m_own || folder.isSymLink())
            continue;
        // A folder whose lock can be taken belongs to no running editor: only the owner's
        // process being gone makes a lock stale, however old it is.
        QLockFile lock(path + QLatin1Char('/') + LockName);
        lock.setStaleLockTime(0);
        if (!lock.tryLock(0))
            continue;
        found.folders.append(path);
        const QDir copies(path);
        const QStringList names =
            copies.entryList({QLatin1Char('*') + CopySuffix}, QDir::Files, QDir::Name);
        const qsizetype first = found.documents.size();
        for (const QString& name : names) {
            const QString copy = copies.filePath(name);
            const FileReader::Result read = FileReader::read(copy, CopyCap);
            const auto document = read.ok() && !read.truncated ? decode(read.bytes) : std::nullopt;
            if (document)
                found.documents.append({*document, copy});
            else
                found.damaged.append(copy);
        }
        // Each editor's documents come back in the order of their tabs.
        std::stable_sort(
            found.documents.begin() + first, found.documents.end(),
            [](const Found& a, const Found& b) { return a.document.slot < b.document.slot; });
    }
    return found;
}

void RecoveryStore::discard(const LeftBehind& found, const QStringList& keep)
{
    for (const Found& kept : found.documents) {
        if (!keep.contains(kept.file))
            QFile::remove(kept.file);
    }
    for (const QString& damaged : found.damaged)
        QFile::remove(damaged);
    for (const QString& folder : found.folders) {
        if (QDir(folder).entryList({QLatin1Char('*') + CopySuffix}, QDir::Files).isEmpty())
            QDir(folder).removeRecursively();
    }
}

} // namespace Quillorn
