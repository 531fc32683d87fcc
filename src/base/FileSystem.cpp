#include "base/FileSystem.h"

FileSystem* g_fileSystem = nullptr;
