// Build-time tool: turns a template's panel description into the project image the template
// library carries. Usage: make-template-image PANEL OUT.vtp
//
// The description holds one item a line ('#' starts a comment):
//   scripts <script 1> [<script 2>]
//   audio <file> <format index>
//   slider <name> <min> <max> <value 0..127>   (7-bit, channel 1, controllers from 0)
//   snapshot <name> <value> ...                 (one value per slider)

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "base/AllState.h"
#include "base/ByteCodec.h"
#include "panel/PanelLogic.h"
#include "panel/PanelState.h"
#include "project/ProjectFile.h"
#include "project/ProjectIo.h"
#include "project/ProjectState.h"
#include "scripts/ScriptStore.h"

namespace {

bool Fail(const std::string& what) {
    std::cerr << "make-template-image: " << what << "\n";
    return false;
}

bool TakeLine(std::istringstream& line, const std::string& item) {
    if (item == "scripts") {
        std::array<std::string, 2> paths;
        line >> paths[0] >> paths[1];
        SetText(g_scriptPaths[0], paths[0]);
        SetText(g_scriptPaths[1], paths[1]);
        g_scriptPathsCommitted = g_scriptPaths;
        return !paths[0].empty();
    }
    if (item == "audio") {
        std::string file;
        int format = -1;
        line >> file >> format;
        SetText(g_audioOutputFile, file);
        g_audioOutputFileCommitted = g_audioOutputFile;
        g_audioFormatIndex = format;
        return !file.empty() && format >= 0 && format < kAudioFormatCount;
    }
    if (item == "slider") {
        std::string name;
        float minimum = 0;
        float maximum = 0;
        int value = -1;
        line >> name >> minimum >> maximum >> value;
        if (!line || g_sliderCount >= kMaxSliders || value < 0 || value > 127) {
            return false;
        }
        SliderRecord& slider = g_sliders[static_cast<std::size_t>(g_sliderCount)];
        slider = SliderRecord{};
        SetText(slider.name, name);
        slider.type = kSevenBitType;
        slider.minValue = minimum;
        slider.maxValue = maximum;
        slider.controller1 = g_sliderCount;
        SetLinearPosition(slider, value);
        ++g_sliderCount;
        return true;
    }
    if (item == "snapshot") {
        std::string name;
        line >> name;
        SnapshotRecord& snapshot = g_snapshots[g_snapshotCount + 1];
        SetText(snapshot.name, name);
        for (int i = 0; i < g_sliderCount; ++i) {
            int value = -1;
            line >> value;
            if (!line || value < 0 || value > 127) {
                return false;
            }
            snapshot.values[static_cast<std::size_t>(i)] = value;
        }
        ++g_snapshotCount;
        return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        Fail("usage: make-template-image PANEL OUT.vtp");
        return 2;
    }
    ResetAllState();
    g_sliderCount = 0;
    g_snapshotCount = 0;
    std::ifstream in(argv[1]);
    if (!in) {
        Fail(std::string("cannot read ") + argv[1]);
        return 1;
    }
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
        std::istringstream line(text.substr(0, text.find('#')));
        std::string item;
        if (line >> item && !TakeLine(line, item)) {
            Fail(std::string(argv[1]) + ":" + std::to_string(number) + ": cannot use: " + text);
            return 1;
        }
    }
    const std::string out = argv[2];
    SetText(g_projectName, std::string(FileTitleOf(out)));
    g_snapshotNameCounter = g_snapshotCount + 1;
    const ProjectHeader header = HeaderFromState();
    const std::vector<std::uint8_t> image = EncodeProjectImage(header, g_sliders, g_snapshots);
    std::ofstream file(out, std::ios::binary);
    file.write(reinterpret_cast<const char*>(image.data()),
               static_cast<std::streamsize>(image.size()));
    file.close();
    if (!file) {
        Fail("cannot write " + out);
        return 1;
    }
    return 0;
}
