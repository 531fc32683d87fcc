#pragma once
// The engine library "VTEng32.dll": a container of resources, loaded by the program when the main
// window is created and released at exit. Whether it loaded decides whether the embedded engine
// is offered; the program uses its string 1 and two resources.

#include <optional>
#include <string>

#include "base/SettingsStore.h"

inline constexpr const char* kEngineLibraryFile = "VTEng32.dll";
inline constexpr int kEngineLibraryTextId = 1;

class EngineLibrary {
public:
    virtual ~EngineLibrary() = default;
    // Text `id` of the library's string table; empty when it holds none.
    virtual std::string String(int id) = 0;
    // The bytes of resource `name` of resource type `type`; nothing when the library has none.
    virtual std::optional<Bytes> Resource(const std::string& name, const std::string& type) = 0;
};

// The loaded engine library; null when it was not found at start-up.
extern EngineLibrary* g_engineLibrary;

inline bool EngineLibraryLoaded() {
    return g_engineLibrary != nullptr;
}
// The library's string 1, shown in the sound engine dialog; empty without the library.
std::string EngineLibraryText();
