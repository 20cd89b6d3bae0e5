#include "preview/PreviewWebPage.h"

#include "preview/SourceMap.h"

#include <QStringList>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace Quillorn {

namespace {

// What the click script writes to the console before an element's position, after a control
// character that no page's own message starts with.
const QLatin1String ClickWord("quillorn-source:");
const QString ClickPrefix = QChar(u'\u0001') + ClickWord;

QString clickScript()
{
    return QStringLiteral(R"(
(function () {
    document.addEventListener('click', function (event) {
        if (!event.ctrlKey)
            return;
        event.preventDefault();
        event.stopPropagation();
        var target = event.target;
        if (target && target.nodeType !== Node.ELEMENT_NODE)
            target = target.parentElement;
        var start = target ? target.getAttribute('%1') : null;
        console.log('\u0001%2' + (start === null ? '' : start));
    }, true);
})();
)")
        .arg(QLatin1String(SourceMap::Attribute), ClickWord);
}

} // namespace

PreviewWebPage::PreviewWebPage(QObject* parent)
    : QWebEnginePage(parent)
{
    QWebEngineScript script;
    script.setName(QStringLiteral("quillorn-source-clicks"));
    script.setSourceCode(clickScript());
    script.setInjectionPoint(QWebEngineScript::DocumentReady);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setRunsOnSubFrames(false);
    scripts().insert(script);
}

void PreviewWebPage::reveal(const QList<qint64>& starts, const std::function<void(bool)>& done)
{
    QStringList list;
    for (const qint64 start : starts)
        list.append(QString::number(start));
    // The outline is taken away by the page's own timer: nothing here waits for it.
    const QString script = QStringLiteral(R"(
(function (starts) {
    for (var i = 0; i < starts.length; ++i) {
        var element = document.querySelector('[%1="' + starts[i] + '"]');
        if (!element || element.getClientRects().length === 0)
            continue;
        element.scrollIntoView({block: 'center', inline: 'nearest'});
        var before = element.style.outline;
        element.style.outline = '3px solid #e8a317';
        setTimeout(function () { element.style.outline = before; }, 1500);
        return true;
    }
    return false;
})([%2]);
)")
                               .arg(QLatin1String(SourceMap::Attribute), list.join(u','));
    runJavaScript(script, QWebEngineScript::ApplicationWorld,
                  [done](const QVariant& found) { done(found.toBool()); });
}

void PreviewWebPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level,
                                              const QString& message, int lineNumber,
                                              const QString& sourceId)
{
    if (!message.startsWith(ClickPrefix)) {
        QWebEnginePage::javaScriptConsoleMessage(level, message, lineNumber, sourceId);
        return;
    }
    bool ok = false;
    const qint64 start = QStringView(message).mid(ClickPrefix.size()).toLongLong(&ok);
    Q_EMIT elementClicked(ok && start >= 0 ? start : -1);
}

} // namespace Quillorn
