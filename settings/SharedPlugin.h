#pragma once

#include "plug-ins/sdk/quillorn_plugin.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

namespace Quillorn {

class PluginLibrary;

// One object of an in-process plug-in: the shared library in the plug-ins folder that holds it
// and the object made through the library's C interface (plug-ins/sdk/quillorn_plugin.h). The
// object is destroyed and the library let go with it.
class SharedPlugin {
public:
    // How long the user-interface thread waits for a library's own (un)registration.
    static constexpr int RegistrationWaitMs = 10000;

    // Runs the register (or, with `doRegister` false, unregister) entry point of the library at
    // `path`, when it has one, on a thread of its own and waits for it at most
    // RegistrationWaitMs; one that takes longer is left running, its library loaded.
    static void registerServer(const QString& path, bool doRegister);

    // Whether `path` is a library of this interface's version with every required entry point.
    static bool isPlugin(const QString& path);

    // The object `name` + ".Data" from the library at `path`. When the library has no such
    // object, the library is unregistered and registered again and asked once more. Nothing
    // when the library cannot be loaded, is not a plug-in of this version or has no object.
    static std::unique_ptr<SharedPlugin> load(const QString& path, const QString& name);

    SharedPlugin(const SharedPlugin&) = delete;
    SharedPlugin& operator=(const SharedPlugin&) = delete;
    ~SharedPlugin();

    // The object's caption in `language`; empty when it gives none.
    QString caption(const QString& language) const;

    // What a run gave: whether `result` replaces the text, and the caret in it (bytes).
    struct Outcome {
        bool replace = false;
        QByteArray result;
        qint32 selStart = 0;
    };
    // Runs the object on `text` with the caret at byte `selStart`; nothing when it failed.
    std::optional<Outcome> run(const QByteArray& text, qint32 selStart) const;

private:
    struct EntryPoints {
        QuillornPluginCreateFn create = nullptr;
        QuillornPluginGetNameFn getName = nullptr;
        QuillornPluginRunFn run = nullptr;
        QuillornPluginDestroyFn destroy = nullptr;
    };

    SharedPlugin(std::shared_ptr<PluginLibrary> library, const EntryPoints& entry,
                 QuillornObject* object);
    // The required entry points of a library; nothing when one is missing or the library was
    // built for another version of the interface.
    static std::optional<EntryPoints> resolve(PluginLibrary& library);
    // The object the library makes for `objectName`; null when it makes none or fails.
    static QuillornObject* create(const EntryPoints& entry, const QByteArray& objectName);

    std::shared_ptr<PluginLibrary> m_library;
    EntryPoints m_entry;
    QuillornObject* m_object;
};

} // namespace Quillorn
