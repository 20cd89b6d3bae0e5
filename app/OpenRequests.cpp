#include "app/OpenRequests.h"

#include <QApplication>

#include <utility>

namespace Quillorn {

OpenRequests::OpenRequests(Handler handler, QObject* parent)
    : QObject(parent)
    , m_handler(std::move(handler))
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &OpenRequests::handle);
}

void OpenRequests::add(const QString& path)
{
    if (!path.isEmpty())
        m_paths.append(path);
    m_pending = true;
    if (!m_timer.isActive())
        m_timer.start(0);
}

void OpenRequests::start()
{
    m_started = true;
    if (m_pending)
        m_timer.start(0);
}

void OpenRequests::stop()
{
    m_stopped = true;
    m_timer.stop();
}

void OpenRequests::handle()
{
    // While a batch is handled its prompts may let further requests in: the loop below takes
    // them once the batch is done.
    if (!m_started || m_stopped || m_handling || !m_pending)
        return;
    if (QApplication::activeModalWidget()) {
        m_timer.start(RetryMs);
        return;
    }
    m_handling = true;
    while (m_pending && !m_stopped) {
        const QStringList batch = std::exchange(m_paths, {});
        m_pending = false;
        m_handler(batch);
    }
    m_handling = false;
}

} // namespace Quillorn
