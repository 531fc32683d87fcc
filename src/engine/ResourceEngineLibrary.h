#pragma once
// The engine library "VTEng32.dll" beside the program, in Qt's binary resource format: string 1
// (the text of the sound engine dialog), the engine program as ENGINE/SOUNDENGINE and its
// support file as GLUT/GLUT_DLL.

#include <QString>
#include <functional>
#include <memory>

#include "engine/EngineLibrary.h"
#include "resources/ResourceLibrary.h"

class ResourceEngineLibrary : public EngineLibrary {
public:
    // Registers the library file; null when it is missing or not a resource file.
    static std::unique_ptr<ResourceEngineLibrary> Load(const QString& file);

    std::string String(int id) override;
    std::optional<Bytes> Resource(const std::string& name, const std::string& type) override;

private:
    explicit ResourceEngineLibrary(std::unique_ptr<ResourceLibrary> library)
        : m_library(std::move(library)) {}

    std::unique_ptr<ResourceLibrary> m_library;
};

// How the program loads the engine library when the main window is created: by default the
// file beside the program; tests install their own.
using EngineLibraryLoader = std::function<std::unique_ptr<EngineLibrary>()>;
extern EngineLibraryLoader g_engineLibraryLoader;
std::unique_ptr<EngineLibrary> LoadInstalledEngineLibrary();
