#pragma once
// The template library "VTTpl.dll" beside the program: entries of the types Project, Text and
// Wave, and string 1 as the library's version. The core receives the entries' bytes.

#include <QString>
#include <functional>
#include <memory>

#include "project/Templates.h"
#include "resources/ResourceLibrary.h"

inline constexpr const char* kTemplateLibraryFile = "VTTpl.dll";

class ResourceTemplateLibrary : public TemplateLibrary {
public:
    // Registers the library file; null when it is missing or not a resource file.
    static std::unique_ptr<ResourceTemplateLibrary> Load(const QString& file);

    std::optional<std::span<const std::uint8_t>> FindEntry(std::string_view type,
                                                           std::string_view name) override;
    std::string LibraryString(int id) override;

private:
    explicit ResourceTemplateLibrary(std::unique_ptr<ResourceLibrary> library)
        : m_library(std::move(library)) {}

    std::unique_ptr<ResourceLibrary> m_library;
};

// How the new-project dialog loads the template library: by default the file beside the
// program; tests install their own. The library stays loaded while the returned object lives.
using TemplateLibraryLoader = std::function<std::unique_ptr<TemplateLibrary>()>;
extern TemplateLibraryLoader g_templateLibraryLoader;
std::unique_ptr<TemplateLibrary> LoadInstalledTemplateLibrary();
