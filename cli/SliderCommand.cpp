// ventaro-tool slider: the messages one slider sends for a series of positions.

#include <cstdio>
#include <map>

#include "Commands.h"
#include "ToolArgs.h"
#include "base/AllState.h"
#include "base/ByteCodec.h"
#include "midi/MidiDevices.h"
#include "panel/PanelState.h"
#include "panel/SliderOutput.h"
#include "random/NoiseSources.h"

namespace {

const std::map<std::string, std::int32_t> kCurves = {{"linear", kCurveLinear},
                                                     {"log", kCurveLogarithmic},
                                                     {"quadratic", kCurveQuadratic},
                                                     {"cubic", kCurveCubic},
                                                     {"random", kCurveRandom}};

} // namespace

LoopbackWire::LoopbackWire() : m_service({}) {
    m_service.OpenOutput(0); // Loopback: what is sent arrives at the Loopback input
    m_service.OpenInput(0, &m_arrived);
    m_service.StartInput();
    g_midiService = &m_service;
}

LoopbackWire::~LoopbackWire() {
    g_midiService = nullptr;
}

void LoopbackWire::PrintArrived() {
    for (const MidiInputEvent& event : m_arrived.Drain()) {
        const auto status = static_cast<std::uint8_t>(event.word);
        const std::size_t length = ShortMessageLength(status);
        for (std::size_t i = 0; i < length; ++i) {
            std::printf(i ? " %02X" : "%02X",
                        static_cast<unsigned>((event.word >> (8 * i)) & 0xFF));
        }
        std::printf("\n");
    }
}

int RunSliderCommand(const Args& args) {
    std::map<std::string, std::string> options;
    for (std::size_t i = 0; i < args.size(); i += 2) {
        if (i + 1 >= args.size() || !args[i].starts_with("--") || options.count(args[i])) {
            return Usage();
        }
        options[args[i]] = args[i + 1];
    }
    for (const auto& [name, value] : options) {
        if (name != "--bits" && name != "--channel" && name != "--cc" && name != "--curve" &&
            name != "--seed" && name != "--min" && name != "--max" && name != "--positions") {
            return Usage();
        }
    }
    if (!options.count("--bits") || !options.count("--channel") || !options.count("--cc") ||
        !options.count("--curve") || !options.count("--positions") ||
        options.count("--min") != options.count("--max")) {
        return Usage();
    }
    const std::string& bits = options["--bits"];
    if (bits != "7" && bits != "14") {
        return Usage();
    }
    const bool fourteenBit = bits == "14";
    const auto channel = ParseInteger(options["--channel"], 1, 16);
    const auto controllers = ParseIntegerList(options["--cc"], 0, 127);
    const auto curve = kCurves.find(options["--curve"]);
    const auto seed =
        options.count("--seed") ? ParseInteger(options["--seed"], INT32_MIN, INT32_MAX) : -1;
    const auto minValue = options.count("--min") ? ParseReal(options["--min"]) : 0.0;
    const auto maxValue = options.count("--max") ? ParseReal(options["--max"]) : 1.0;
    const int range = fourteenBit ? kFourteenBitRange : kSevenBitRange;
    const auto positions = ParseIntegerList(options["--positions"], 0, range);
    if (!channel || !controllers || controllers->size() != (fourteenBit ? 2u : 1u) ||
        curve == kCurves.end() || !seed || !minValue || !maxValue || *minValue > *maxValue ||
        !positions) {
        return Usage();
    }

    // The state right after start-up: a fresh panel, the seed word set, then the curve tables.
    ResetAllState();
    randomSeed = static_cast<std::int32_t>(*seed);
    BuildCurveTables();

    LoopbackWire wire;
    SliderRecord& slider = g_sliders[0];
    slider.type = fourteenBit ? kFourteenBitType : kSevenBitType;
    slider.channel = static_cast<std::int32_t>(*channel - 1);
    slider.controller1 = static_cast<std::int32_t>((*controllers)[0]);
    slider.controller2 = fourteenBit ? static_cast<std::int32_t>((*controllers)[1]) : 0;
    slider.curve = curve->second;
    slider.minValue = static_cast<float>(*minValue);
    slider.maxValue = static_cast<float>(*maxValue);
    for (std::int64_t position : *positions) {
        slider.value = static_cast<std::int32_t>(position);
        slider.scaledValue = (slider.maxValue - slider.minValue) / static_cast<float>(range) *
                                 static_cast<float>(slider.value) +
                             slider.minValue;
        SendSlider(0);
        wire.PrintArrived();
    }
    std::fflush(stdout);
    return 0;
}
