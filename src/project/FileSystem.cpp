#include "project/FileSystem.h"

FileSystem* g_fileSystem = nullptr;
