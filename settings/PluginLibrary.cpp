#include "settings/PluginLibrary.h"

#include <QHash>

#include <vector>

namespace Quillorn {

namespace {

// The libraries in use, by path. Only the user-interface thread opens and lets go of them.
QHash<QString, std::weak_ptr<PluginLibrary>>& loaded()
{
    static QHash<QString, std::weak_ptr<PluginLibrary>> libraries;
    return libraries;
}

// Never destroyed, so never unloaded, not even while the process ends around a thread that
// still runs a kept library's code.
std::vector<std::shared_ptr<PluginLibrary>>& kept()
{
    static auto* libraries = new std::vector<std::shared_ptr<PluginLibrary>>;
    return *libraries;
}

} // namespace

std::shared_ptr<PluginLibrary> PluginLibrary::open(const QString& path)
{
    if (auto library = loaded().value(path).lock())
        return library;
    auto library = std::make_shared<PluginLibrary>(path);
    if (!library->m_library.load())
        return nullptr;
    loaded().insert(path, library);
    return library;
}

void PluginLibrary::keep(std::shared_ptr<PluginLibrary> library)
{
    kept().push_back(std::move(library));
}

PluginLibrary::PluginLibrary(const QString& path)
    : m_library(path)
{
}

PluginLibrary::~PluginLibrary()
{
    if (m_library.isLoaded())
        m_library.unload();
}

} // namespace Quillorn
