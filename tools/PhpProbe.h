#pragma once

#include "tools/ProcessRunner.h"

#include <QObject>

namespace Quillorn {

class LangStrings;

// Tells which PHP a path names, for the settings window: runs "PATH -v" in the background and
// gives PHP's version line, or "PHP not available". A new probe replaces one still running.
class PhpProbe : public QObject {
    Q_OBJECT
public:
    explicit PhpProbe(const LangStrings& strings, QObject* parent = nullptr);

    void probe(const QString& phpPath);

    // "php" on the PATH, proposed when the settings name no PHP; empty when there is none.
    static QString proposedPath();

Q_SIGNALS:
    void labelReady(const QString& label);

private:
    const LangStrings& m_strings;
    ProcessRunner m_runner;
    QString m_next; // the path to probe once the running probe has ended
    bool m_waiting = false;
};

} // namespace Quillorn
