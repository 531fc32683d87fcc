// ventaro-tool morph FILE.vtp --corners A,B,C,D --fx X --fy Y: the messages the gesture window
// sends with the four corner snapshots A..D (numbered from 1) and the crosshair at (X, Y).

#include <cstdio>
#include <map>

#include "Commands.h"
#include "ToolArgs.h"
#include "ToolProjectFile.h"
#include "base/AllState.h"
#include "midi/MidiDevices.h"
#include "panel/PanelState.h"
#include "panel/SliderOutput.h"
#include "snapshots/Snapshots.h"

namespace {

std::optional<float> Fraction(const std::string& text) {
    const std::optional<double> value = ParseReal(text);
    if (!value || *value < 0.0 || *value > 1.0) {
        return std::nullopt;
    }
    return static_cast<float>(*value);
}

} // namespace

int RunMorphCommand(const Args& args) {
    if (args.empty() || args.size() % 2 != 1) {
        return Usage();
    }
    std::map<std::string, std::string> options;
    for (std::size_t i = 1; i + 1 < args.size(); i += 2) {
        if ((args[i] != "--corners" && args[i] != "--fx" && args[i] != "--fy") ||
            options.count(args[i])) {
            return Usage();
        }
        options[args[i]] = args[i + 1];
    }
    const std::optional<float> fx =
        options.count("--fx") ? Fraction(options["--fx"]) : std::nullopt;
    const std::optional<float> fy =
        options.count("--fy") ? Fraction(options["--fy"]) : std::nullopt;
    if (options.size() != 3 || !fx || !fy) {
        return Usage();
    }

    ProjectHeader header;
    std::vector<std::uint8_t> image;
    if (!ReadToolProject(args[0], header, image)) {
        return 1;
    }
    if (header.snapshotCount < 1) {
        std::fprintf(stderr, "ventaro-tool morph: the project has no snapshots\n");
        return 1;
    }
    const auto corners = ParseIntegerList(options["--corners"], 1, header.snapshotCount);
    if (!corners || corners->size() != kGestureCorners) {
        std::fprintf(stderr, "ventaro-tool morph: --corners takes four snapshot numbers of 1..%d\n",
                     static_cast<int>(header.snapshotCount));
        return Usage();
    }

    // The project's panel and snapshots as the program holds them after opening the file.
    ResetAllState();
    BuildCurveTables();
    g_sliderCount = header.sliderCount;
    for (int i = 0; i < header.sliderCount; ++i) {
        g_sliders[static_cast<std::size_t>(i)] = ImageSlider(image, i);
    }
    g_snapshotCount = header.snapshotCount;
    for (int n = 1; n <= header.snapshotCount; ++n) {
        g_snapshots[n] = ImageSnapshot(image, header.sliderCount, n);
    }
    for (std::size_t corner = 0; corner < kGestureCorners; ++corner) {
        g_gestureSnapshots[corner] = static_cast<std::int32_t>((*corners)[corner] - 1);
    }

    LoopbackWire wire;
    MorphSnapshots(*fx, *fy);
    wire.PrintArrived();
    std::fflush(stdout);
    return 0;
}
