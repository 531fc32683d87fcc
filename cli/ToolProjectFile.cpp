#include "ToolProjectFile.h"

#include <cstdio>

#include "base/PosixFileSystem.h"
#include "project/ProjectIo.h"
#include "resources/Strings.h"

bool ReadToolProject(const std::string& path, ProjectHeader& header,
                     std::vector<std::uint8_t>& image) {
    PosixFileSystem files;
    FileContents file = files.ReadFile(path, kMaxProjectImageSize);
    int message = 0;
    if (file.status == FileStatus::OpenFailed) {
        message = kStrFileOpenError;
    } else if (file.status != FileStatus::Ok) {
        message = kStrFileReadError;
    } else {
        switch (CheckProjectImage(file.bytes, true, header)) {
        case ImageCheck::Ok:
            break;
        case ImageCheck::Short:
            message = kStrFileReadError;
            break;
        case ImageCheck::Invalid:
            message = kStrInvalidProject;
            break;
        }
    }
    if (message != 0) {
        std::fprintf(stderr, "%s\n", LoadResourceString(message));
        return false;
    }
    LowerGestureCorners(header);
    image = std::move(file.bytes);
    return true;
}
