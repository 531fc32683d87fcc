// ventaro-tool noise SELECTOR SEED COUNT [--deviate exp|gauss]

#include <cstdint>
#include <cstdio>

#include "Commands.h"
#include "ToolArgs.h"
#include "random/NoiseSources.h"

int RunNoiseCommand(const Args& args) {
    if (args.size() != 3 && args.size() != 5) {
        return Usage();
    }
    const auto selector = ParseInteger(args[0], INT32_MIN, INT32_MAX);
    const auto seed = ParseInteger(args[1], INT32_MIN, INT32_MAX);
    const auto count = ParseInteger(args[2], 0, 100000000);
    if (!selector || !seed || !count) {
        return Usage();
    }
    enum class Draw { Uniform, Exp, Gauss } draw = Draw::Uniform;
    if (args.size() == 5) {
        if (args[3] != "--deviate" || (args[4] != "exp" && args[4] != "gauss")) {
            return Usage();
        }
        draw = args[4] == "exp" ? Draw::Exp : Draw::Gauss;
        // The Gaussian deviate's acceptance test never passes for an unknown selector.
        if (draw == Draw::Gauss && (*selector < 0 || *selector > 5)) {
            std::fputs("ventaro-tool: the gauss deviate needs a selector of 0..5\n", stderr);
            return 2;
        }
    }
    // NoiseSource0 returns 0.0 forever once its masked word is a multiple of 2147483647 (the
    // mask word itself, or it XOR 0x7FFFFFFF or -0x7FFFFFFF); both deviates would never end.
    const std::int64_t masked = static_cast<std::int32_t>(*seed) ^ 123459876;
    if (draw != Draw::Uniform && *selector == 0 && masked % 2147483647 == 0) {
        std::fprintf(stderr,
                     "ventaro-tool: source 0 with seed %d only gives 0.0; a deviate of it "
                     "never ends\n",
                     static_cast<int>(*seed));
        return 2;
    }
    auto word = static_cast<std::int32_t>(*seed);
    const auto source = static_cast<std::int32_t>(*selector);
    for (std::int64_t i = 0; i < *count; ++i) {
        float value = 0.0f;
        switch (draw) {
        case Draw::Uniform:
            value = NoiseSource(source, &word);
            break;
        case Draw::Exp:
            value = ExpDeviation(source, &word);
            break;
        case Draw::Gauss:
            value = GaussDeviation(source, &word);
            break;
        }
        std::printf("%.9g %d\n", static_cast<double>(value), word);
    }
    return 0;
}
