#include "platform/BrowserEngine.h"

#include <QCoreApplication>
#include <QList>

#include <unistd.h>

namespace Quillorn {

void BrowserEngine::prepare()
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (::geteuid() != 0)
        return;
    const char* name = "QTWEBENGINE_CHROMIUM_FLAGS";
    QByteArray flags = qgetenv(name);
    const QByteArray noSandbox("--no-sandbox");
    if (flags.split(' ').contains(noSandbox))
        return;
    qputenv(name, flags.isEmpty() ? noSandbox : flags + ' ' + noSandbox);
}

} // namespace Quillorn
