#include "tools/PhpProbe.h"

#include "tools/ToolOutput.h"

#include <QStandardPaths>

namespace Quillorn {

namespace {
constexpr int ProbeTimeoutMs = 10 * 1000;
}

PhpProbe::PhpProbe(const LangStrings& strings, QObject* parent)
    : QObject(parent)
    , m_strings(strings)
{
    connect(&m_runner, &ProcessRunner::finished, this, [this](const RunResult& result) {
        if (m_waiting) {
            m_waiting = false;
            probe(m_next);
            return;
        }
        Q_EMIT labelReady(ToolOutput::phpVersionLabel(result.text(), m_strings));
    });
}

void PhpProbe::probe(const QString& phpPath)
{
    if (m_runner.isRunning()) {
        m_next = phpPath;
        m_waiting = true;
        m_runner.cancel();
        return;
    }
    RunOptions options;
    options.timeoutMs = ProbeTimeoutMs;
    // Quoted, so that an empty path or one with blanks is never taken for a command line of
    // its own.
    m_runner.start(QLatin1Char('"') + phpPath + QLatin1String("\" -v"), options);
}

QString PhpProbe::proposedPath()
{
    return QStandardPaths::findExecutable(QStringLiteral("php"));
}

} // namespace Quillorn
