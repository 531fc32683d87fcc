#include "engine/ResourceEngineLibrary.h"

#include "base/QtText.h"

EngineLibraryLoader g_engineLibraryLoader = LoadInstalledEngineLibrary;

std::unique_ptr<ResourceEngineLibrary> ResourceEngineLibrary::Load(const QString& file) {
    std::unique_ptr<ResourceLibrary> library = ResourceLibrary::Load(file);
    if (!library) {
        return nullptr;
    }
    return std::unique_ptr<ResourceEngineLibrary>(new ResourceEngineLibrary(std::move(library)));
}

std::string ResourceEngineLibrary::String(int id) {
    return m_library->String(id);
}

std::optional<Bytes> ResourceEngineLibrary::Resource(const std::string& name,
                                                     const std::string& type) {
    const QByteArray* bytes = m_library->Entry(ToQt(type), ToQt(name));
    if (!bytes) {
        return std::nullopt;
    }
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes->constData());
    return Bytes(data, data + bytes->size());
}

std::unique_ptr<EngineLibrary> LoadInstalledEngineLibrary() {
    return ResourceEngineLibrary::Load(ProgramFolderFile(kEngineLibraryFile));
}
