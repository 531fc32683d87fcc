// ventaro-tool project: writes a new project's default file, or shows a project file as JSON.

#include <charconv>
#include <cstdio>
#include <map>
#include <string>

#include "Commands.h"
#include "ToolProjectFile.h"
#include "base/AllState.h"
#include "base/PosixFileSystem.h"
#include "panel/PanelState.h"
#include "project/NewProject.h"
#include "project/ProjectIo.h"
#include "project/ProjectState.h"
#include "resources/Strings.h"

namespace {

// Code points of the bytes 0x80..0x9F in the Windows ANSI code page; the five it leaves
// undefined stand for themselves.
constexpr char16_t kAnsiHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::string JsonText(std::string_view text) {
    std::string out = "\"";
    char escape[8];
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20 || byte >= 0x7F) {
            const unsigned code = byte >= 0x80 && byte < 0xA0 ? kAnsiHigh[byte - 0x80] : byte;
            std::snprintf(escape, sizeof escape, "\\u%04x", code);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// The shortest text that reads back as the same single-precision value.
std::string JsonNumber(float value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

template <std::size_t N> std::string JsonText(const std::array<char, N>& field) {
    return JsonText(TextOf(field));
}

std::string JsonPlacement(const WindowPlacement& p) {
    const auto n = [](std::int32_t v) { return std::to_string(v); };
    return "{\"length\": " + n(p.length) + ", \"flags\": " + n(p.flags) +
           ", \"showCmd\": " + n(p.showCmd) + ", \"ptMinPosition\": {\"x\": " + n(p.minX) +
           ", \"y\": " + n(p.minY) + "}, \"ptMaxPosition\": {\"x\": " + n(p.maxX) +
           ", \"y\": " + n(p.maxY) + "}, \"rcNormalPosition\": {\"left\": " + n(p.left) +
           ", \"top\": " + n(p.top) + ", \"right\": " + n(p.right) +
           ", \"bottom\": " + n(p.bottom) + "}}";
}

std::string JsonSlider(const SliderRecord& s) {
    const auto n = [](std::int32_t v) { return std::to_string(v); };
    return "{\"name\": " + JsonText(s.name) + ", \"type\": " + n(s.type) +
           ", \"value\": " + n(s.value) + ", \"scaledValue\": " + JsonNumber(s.scaledValue) +
           ", \"minValue\": " + JsonNumber(s.minValue) +
           ", \"maxValue\": " + JsonNumber(s.maxValue) + ", \"channel\": " + n(s.channel) +
           ", \"controller1\": " + n(s.controller1) + ", \"controller2\": " + n(s.controller2) +
           ", \"reserved\": " + n(s.reserved) + ", \"curve\": " + n(s.curve) +
           ", \"locked\": " + n(s.locked) + "}";
}

std::string JsonSnapshot(const SnapshotRecord& s) {
    std::string values;
    for (std::int32_t v : s.values) {
        values += (values.empty() ? "" : ", ") + std::to_string(v);
    }
    return "{\"name\": " + JsonText(s.name) + ", \"values\": [" + values + "]}";
}

void PrintProject(const ProjectHeader& h, const std::vector<std::uint8_t>& image) {
    std::printf("{\n  \"magic\": %s,\n  \"projectName\": %s,\n", JsonText(h.magic).c_str(),
                JsonText(h.projectName).c_str());
    std::printf("  \"sliderCount\": %d,\n  \"snapshotCount\": %d,\n  \"controlStyle\": %d,\n"
                "  \"scrollStep\": %d,\n",
                h.sliderCount, h.snapshotCount, h.controlStyle, h.scrollStep);
    std::printf("  \"startStatus\": %u,\n  \"startData1\": %u,\n  \"startData2\": %u,\n"
                "  \"stopStatus\": %u,\n  \"stopData1\": %u,\n  \"stopData2\": %u,\n",
                h.startMessage[0], h.startMessage[1], h.startMessage[2], h.stopMessage[0],
                h.stopMessage[1], h.stopMessage[2]);
    std::printf("  \"managerIconSize\": %d,\n  \"gestureSnapshots\": [%d, %d, %d, %d],\n",
                h.managerIconSize, h.gestureSnapshots[0], h.gestureSnapshots[1],
                h.gestureSnapshots[2], h.gestureSnapshots[3]);
    std::printf("  \"scriptPath\": [%s, %s],\n  \"audioOutputFile\": %s,\n"
                "  \"audioFormatIndex\": %d,\n  \"windows\": [\n",
                JsonText(h.scriptPaths[0]).c_str(), JsonText(h.scriptPaths[1]).c_str(),
                JsonText(h.audioOutputFile).c_str(), h.audioFormatIndex);
    for (std::size_t w = 0; w < h.windows.size(); ++w) {
        std::printf("    {\"placementValid\": %d, \"placement\": %s, \"visible\": %d}%s\n",
                    h.windows[w].placementValid, JsonPlacement(h.windows[w].placement).c_str(),
                    h.windows[w].visible, w + 1 < h.windows.size() ? "," : "");
    }
    std::printf("  ],\n  \"sliders\": [\n");
    for (int i = 0; i < h.sliderCount; ++i) {
        std::printf("    %s%s\n", JsonSlider(ImageSlider(image, i)).c_str(),
                    i + 1 < h.sliderCount ? "," : "");
    }
    std::printf("  ],\n  \"snapshots\": [\n");
    for (int n = 1; n <= h.snapshotCount; ++n) {
        std::printf("    %s%s\n", JsonSnapshot(ImageSnapshot(image, h.sliderCount, n)).c_str(),
                    n < h.snapshotCount ? "," : "");
    }
    std::printf("  ]\n}\n");
}

int RunProjectNew(const Args& args) {
    std::map<std::string, std::string> options;
    for (std::size_t i = 1; i < args.size(); i += 2) {
        const std::string& name = args[i];
        if (i + 1 >= args.size() || options.count(name) ||
            (name != "--bits" && name != "--sliders" && name != "-o")) {
            return Usage();
        }
        options[name] = args[i + 1];
    }
    if (options.size() != 3 || (options["--bits"] != "7" && options["--bits"] != "14") ||
        options["-o"].empty()) {
        return Usage();
    }
    const int kind = options["--bits"] == "14" ? kNewPanelFourteenBit : kNewPanelSevenBit;
    const std::optional<int> count = ParseSliderCount(options["--sliders"]);
    if (!count || *count < 1 || *count > SliderCountLimit(kind)) {
        std::fprintf(stderr, "%s\n", LoadResourceString(kStrSliderLimitWarning));
        return 1;
    }

    // The new-project dialog's panel on the start-up state, named after the file.
    ResetAllState();
    BuildDefaultPanel(kind == kNewPanelFourteenBit, *count);
    const std::string& file = options["-o"];
    SetText(g_projectName, FileTitleOf(file));
    ProjectHeader header = HeaderFromState();
    header.windows = g_windowStates;
    const std::vector<std::uint8_t> image = EncodeProjectImage(header, g_sliders, g_snapshots);
    PosixFileSystem files;
    const FileStatus status = files.WriteFileAtomically(file, image);
    if (status != FileStatus::Ok) {
        std::fprintf(stderr, "%s\n",
                     LoadResourceString(status == FileStatus::CreateFailed ? kStrFileCreateError
                                                                           : kStrFileWriteError));
        return 1;
    }
    return 0;
}

} // namespace

int RunProjectCommand(const Args& args) {
    if (!args.empty() && args[0] == "new") {
        return RunProjectNew(args);
    }
    if (args.size() == 2 && args[0] == "info") {
        ProjectHeader header;
        std::vector<std::uint8_t> image;
        if (!ReadToolProject(args[1], header, image)) {
            return 1;
        }
        PrintProject(header, image);
        return 0;
    }
    return Usage();
}
