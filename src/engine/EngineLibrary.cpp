#include "engine/EngineLibrary.h"

EngineLibrary* g_engineLibrary = nullptr;

std::string EngineLibraryText() {
    return g_engineLibrary ? g_engineLibrary->String(kEngineLibraryTextId) : std::string();
}
