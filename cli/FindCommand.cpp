// ventaro-tool find FILE.vtp --by name|value|min|max|type|channel|cc1|cc2 TEXT: the result rows
// of Find slider for the project's panel, one a line.

#include <cstdio>
#include <map>

#include "Commands.h"
#include "ToolProjectFile.h"
#include "base/AllState.h"
#include "panel/PanelState.h"
#include "tools/FindSlider.h"

namespace {

const std::map<std::string, int> kCriteria = {
    {"name", kFindByName},       {"value", kFindByValue},     {"min", kFindByMin},
    {"max", kFindByMax},         {"type", kFindByType},       {"channel", kFindByChannel},
    {"cc1", kFindByController1}, {"cc2", kFindByController2},
};

} // namespace

int RunFindCommand(const Args& args) {
    if (args.size() != 4 || args[1] != "--by" || !kCriteria.count(args[2])) {
        return Usage();
    }
    ProjectHeader header;
    std::vector<std::uint8_t> image;
    if (!ReadToolProject(args[0], header, image)) {
        return 1;
    }
    ResetAllState();
    g_sliderCount = header.sliderCount;
    for (int i = 0; i < header.sliderCount; ++i) {
        g_sliders[static_cast<std::size_t>(i)] = ImageSlider(image, i);
    }
    for (const FindRow& row : FindSliders(kCriteria.at(args[2]), args[3])) {
        std::printf("%s\n", row.text.c_str());
    }
    return 0;
}
