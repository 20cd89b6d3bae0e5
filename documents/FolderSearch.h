#pragma once

#include "documents/TextFinder.h"

#include <QObject>
#include <QStringList>

#include <atomic>
#include <memory>

class QThread;

namespace Quillorn {

// Searches the files of a folder and its subfolders away from the caller's thread, on every
// core: files chosen by name patterns, read through the file layer, binary files skipped, each
// decoded as opening would decode it. It reports as it goes and can be cancelled.
class FolderSearch : public QObject {
    Q_OBJECT

public:
    // The matches of one file.
    struct FileMatches {
        QString path;
        QList<TextFinder::Match> matches;
    };

    explicit FolderSearch(QObject* parent = nullptr);
    // Cancels a search that still runs and waits for its thread.
    ~FolderSearch() override;

    // Starts searching `folder` for `options` in the files whose names match `nameFilter`
    // ("*.html;*.css", blanks or commas between patterns too), decoded for the interface
    // `language`. A search that still runs is cancelled first; nothing of it is reported
    // afterwards.
    void start(const QString& folder, const QString& nameFilter, const TextFinder::Options& options,
               const QString& language);
    // Stops the search after the file it reads; finished follows.
    void cancel();
    bool isRunning() const { return m_running; }

    // The patterns of a name filter.
    static QStringList namePatterns(const QString& nameFilter);
    // Whether `bytes` look like a binary file: a NUL byte in the first 8 KB (UTF-16 and UTF-32
    // text with a byte-order mark is text).
    static bool looksBinary(const QByteArray& bytes);
    // The matches in the file at `path`, which a folder listing has just given as a regular
    // file; nothing for a binary or unreadable file.
    static QList<TextFinder::Match> searchFile(const QString& path, const TextFinder& finder,
                                               const QString& language);

Q_SIGNALS:
    // `filesRead` files were searched so far; `files` holds the matches found since the last
    // report, a file at a time (files searched side by side come in the order they finished).
    void progress(int filesRead, const QList<FolderSearch::FileMatches>& files);
    void finished(bool cancelled, int filesRead);

private:
    // Stops the thread that runs, if any, and waits for it.
    void stop();

    std::unique_ptr<QThread> m_thread;
    std::shared_ptr<std::atomic<bool>> m_cancel;
    // Tells the reports of the search that runs from those of one cancelled before it.
    quint64 m_generation = 0;
    bool m_running = false;
};

} // namespace Quillorn
