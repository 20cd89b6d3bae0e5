#pragma once

#include <QLibrary>
#include <QString>

#include <memory>

namespace Quillorn {

// A plug-in library loaded once for all that use it, and unloaded when the last of them lets
// go. Qt's QLibrary objects for one file share one handle, and unloading any of them can take
// the library from the others; so every user of a plug-in library goes through this one.
class PluginLibrary {
public:
    // The library at `path`, loaded; null when it cannot be loaded.
    static std::shared_ptr<PluginLibrary> open(const QString& path);
    // Keeps `library` loaded until the process ends (its code may still run on another thread).
    static void keep(std::shared_ptr<PluginLibrary> library);

    explicit PluginLibrary(const QString& path);
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;
    ~PluginLibrary();

    // The function `symbol` of the library, as the type `T`; null when it has none.
    template <typename T> T resolve(const char* symbol)
    {
        return reinterpret_cast<T>(m_library.resolve(symbol));
    }

private:
    QLibrary m_library;
};

} // namespace Quillorn
