#include "settings/SharedPlugin.h"

#include "settings/PluginLibrary.h"

#include <chrono>
#include <future>
#include <thread>

namespace Quillorn {

namespace {

// The host side of a QuillornText: the plug-in's bytes are copied into a QByteArray.
void setText(QuillornText* text, const char* utf8, size_t length)
{
    auto* target = static_cast<QByteArray*>(text->host);
    // Nothing may be thrown back into the plug-in's C code.
    try {
        *target = length == 0 ? QByteArray() : QByteArray(utf8, qsizetype(length));
    } catch (...) {
        target->clear();
    }
}

QuillornText hostText(QByteArray& target)
{
    return QuillornText{&setText, &target};
}

} // namespace

void SharedPlugin::registerServer(const QString& path, bool doRegister)
{
    std::shared_ptr<PluginLibrary> library = PluginLibrary::open(path);
    if (!library)
        return;
    const auto entry = library->resolve<QuillornPluginRegisterFn>(
        doRegister ? "quillorn_plugin_register" : "quillorn_plugin_unregister");
    if (!entry)
        return;
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> finished = done->get_future();
    std::thread([entry, done] {
        try {
            entry();
        } catch (...) {
        }
        done->set_value();
    }).detach();
    // The thread still runs the library's code: the library stays.
    if (finished.wait_for(std::chrono::milliseconds(RegistrationWaitMs)) !=
        std::future_status::ready)
        PluginLibrary::keep(std::move(library));
}

std::optional<SharedPlugin::EntryPoints> SharedPlugin::resolve(PluginLibrary& library)
{
    const auto version = library.resolve<QuillornPluginVersionFn>("quillorn_plugin_version");
    EntryPoints entry;
    entry.create = library.resolve<QuillornPluginCreateFn>("quillorn_plugin_create");
    entry.getName = library.resolve<QuillornPluginGetNameFn>("quillorn_plugin_get_name");
    entry.run = library.resolve<QuillornPluginRunFn>("quillorn_plugin_run");
    entry.destroy = library.resolve<QuillornPluginDestroyFn>("quillorn_plugin_destroy");
    if (!version || !entry.create || !entry.getName || !entry.run || !entry.destroy)
        return std::nullopt;
    try {
        if (version() != QUILLORN_PLUGIN_VERSION)
            return std::nullopt;
    } catch (...) {
        return std::nullopt;
    }
    return entry;
}

bool SharedPlugin::isPlugin(const QString& path)
{
    const std::shared_ptr<PluginLibrary> library = PluginLibrary::open(path);
    return library && resolve(*library);
}

QuillornObject* SharedPlugin::create(const EntryPoints& entry, const QByteArray& objectName)
{
    try {
        return entry.create(objectName.constData());
    } catch (...) {
        return nullptr;
    }
}

std::unique_ptr<SharedPlugin> SharedPlugin::load(const QString& path, const QString& name)
{
    std::shared_ptr<PluginLibrary> library = PluginLibrary::open(path);
    if (!library)
        return nullptr;
    const std::optional<EntryPoints> entry = resolve(*library);
    if (!entry)
        return nullptr;
    const QByteArray objectName = (name + QLatin1String(".Data")).toUtf8();
    QuillornObject* object = create(*entry, objectName);
    if (!object) {
        // Not set up yet, or set up wrongly: the library's own registration, afresh.
        registerServer(path, false);
        registerServer(path, true);
        object = create(*entry, objectName);
    }
    if (!object)
        return nullptr;
    return std::unique_ptr<SharedPlugin>(new SharedPlugin(std::move(library), *entry, object));
}

SharedPlugin::SharedPlugin(std::shared_ptr<PluginLibrary> library, const EntryPoints& entry,
                           QuillornObject* object)
    : m_library(std::move(library))
    , m_entry(entry)
    , m_object(object)
{
}

SharedPlugin::~SharedPlugin()
{
    try {
        m_entry.destroy(m_object);
    } catch (...) {
    }
}

QString SharedPlugin::caption(const QString& language) const
{
    QByteArray caption;
    QuillornText text = hostText(caption);
    try {
        m_entry.getName(m_object, language.toUtf8().constData(), &text);
    } catch (...) {
        return QString();
    }
    return QString::fromUtf8(caption);
}

std::optional<SharedPlugin::Outcome> SharedPlugin::run(const QByteArray& text,
                                                       qint32 selStart) const
{
    Outcome outcome;
    QuillornText result = hostText(outcome.result);
    int32_t caret = selStart;
    int answer = QUILLORN_RUN_ERROR;
    try {
        answer = m_entry.run(m_object, text.constData(), size_t(text.size()), &result, &caret);
    } catch (...) {
        return std::nullopt;
    }
    if (answer != QUILLORN_RUN_KEEP && answer != QUILLORN_RUN_REPLACE)
        return std::nullopt;
    outcome.replace = answer == QUILLORN_RUN_REPLACE;
    outcome.selStart = caret;
    return outcome;
}

} // namespace Quillorn
