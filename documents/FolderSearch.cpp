#include "documents/FolderSearch.h"

#include "documents/DocumentCodec.h"
#include "documents/FileIO.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QThread>

#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include <cstring>

namespace Quillorn {

namespace {

constexpr qsizetype BinaryProbeBytes = 8 * 1024;
// Progress and matches are reported at most this often, so the window's thread stays free.
constexpr qint64 ProgressIntervalMs = 50;

} // namespace

FolderSearch::FolderSearch(QObject* parent)
    : QObject(parent)
{
}

FolderSearch::~FolderSearch()
{
    stop();
}

QStringList FolderSearch::namePatterns(const QString& nameFilter)
{
    static const QRegularExpression separators(QStringLiteral("[;,\\s]+"));
    return nameFilter.split(separators, Qt::SkipEmptyParts);
}

bool FolderSearch::looksBinary(const QByteArray& bytes)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF") ||
        bytes.startsWith(QByteArray("\x00\x00\xFE\xFF", 4)))
        return false;
    return std::memchr(bytes.constData(), 0,
                       static_cast<size_t>(std::min(bytes.size(), BinaryProbeBytes))) != nullptr;
}

QList<TextFinder::Match> FolderSearch::searchFile(const QString& path, const TextFinder& finder,
                                                  const QString& language)
{
    const FileIO::ReadResult read = FileIO::readListedFile(path);
    if (!read.ok() || looksBinary(read.bytes))
        return {};
    return finder.find(DocumentCodec::decode(read.bytes, language).utf8);
}

void FolderSearch::start(const QString& folder, const QString& nameFilter,
                         const TextFinder::Options& options, const QString& language)
{
    stop();
    const quint64 generation = ++m_generation;
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    m_running = true;
    // Each report is handed to this object's thread, and dropped there when a newer search
    // has started since.
    auto report = [this, generation](auto emitter) {
        QMetaObject::invokeMethod(
            this,
            [this, generation, emitter] {
                if (generation == m_generation)
                    emitter(this);
            },
            Qt::QueuedConnection);
    };
    m_thread.reset(QThread::create([report, cancel = m_cancel, folder,
                                    patterns = namePatterns(nameFilter), options, language] {
        // Files are read and searched on every core (reading and decoding cost more than
        // the search); `lock` guards the walk, the count and the matches not yet reported.
        std::mutex lock;
        int filesRead = 0;
        QList<FileMatches> pending;
        const auto reportProgress = [&report, &filesRead, &pending] {
            report([filesRead, files = std::exchange(pending, {})](FolderSearch* self) {
                Q_EMIT self->progress(filesRead, files);
            });
        };
        QElapsedTimer sinceProgress;
        sinceProgress.start();
        QDirIterator files(folder, patterns, QDir::Files | QDir::Hidden,
                           QDirIterator::Subdirectories);
        const auto work = [&] {
            const TextFinder finder(options);
            for (;;) {
                QString path;
                bool regular = false;
                {
                    const std::lock_guard<std::mutex> walking(lock);
                    if (cancel->load() || !files.hasNext())
                        return;
                    path = files.next();
                    // The listing tells the kind of most files without asking the system;
                    // links to devices, pipes and sockets, which it gives too, are not read.
                    regular = files.fileInfo().isFile();
                }
                QList<TextFinder::Match> matches;
                if (regular)
                    matches = searchFile(path, finder, language);
                const std::lock_guard<std::mutex> reporting(lock);
                ++filesRead;
                if (!matches.isEmpty())
                    pending.append({path, std::move(matches)});
                if (sinceProgress.elapsed() >= ProgressIntervalMs) {
                    sinceProgress.restart();
                    reportProgress();
                }
            }
        };
        std::vector<std::thread> helpers;
        for (int i = 1; i < QThread::idealThreadCount(); ++i)
            helpers.emplace_back(work);
        work();
        for (std::thread& helper : helpers)
            helper.join();
        reportProgress();
        const bool cancelled = cancel->load();
        report([cancelled, filesRead](FolderSearch* self) {
            self->m_running = false;
            Q_EMIT self->finished(cancelled, filesRead);
        });
    }));
    m_thread->start();
}

void FolderSearch::cancel()
{
    if (m_cancel)
        m_cancel->store(true);
}

void FolderSearch::stop()
{
    if (!m_thread)
        return;
    cancel();
    m_thread->wait();
    m_thread.reset();
    m_running = false;
}

} // namespace Quillorn
