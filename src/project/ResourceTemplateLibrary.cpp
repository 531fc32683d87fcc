#include "project/ResourceTemplateLibrary.h"

#include "base/QtText.h"

TemplateLibraryLoader g_templateLibraryLoader = LoadInstalledTemplateLibrary;

std::unique_ptr<ResourceTemplateLibrary> ResourceTemplateLibrary::Load(const QString& file) {
    std::unique_ptr<ResourceLibrary> library = ResourceLibrary::Load(file);
    if (!library) {
        return nullptr;
    }
    return std::unique_ptr<ResourceTemplateLibrary>(
        new ResourceTemplateLibrary(std::move(library)));
}

std::optional<std::span<const std::uint8_t>>
ResourceTemplateLibrary::FindEntry(std::string_view type, std::string_view name) {
    const QByteArray* bytes = m_library->Entry(ToQt(std::string(type)), ToQt(std::string(name)));
    if (!bytes) {
        return std::nullopt;
    }
    return std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes->constData()),
                                         static_cast<std::size_t>(bytes->size()));
}

std::string ResourceTemplateLibrary::LibraryString(int id) {
    return m_library->String(id);
}

std::unique_ptr<TemplateLibrary> LoadInstalledTemplateLibrary() {
    return ResourceTemplateLibrary::Load(ProgramFolderFile(kTemplateLibraryFile));
}
