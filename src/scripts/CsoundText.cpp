#include "scripts/CsoundText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/ByteCodec.h"
#include "engine/AudioFormats.h"

namespace {

constexpr int kSignificantDigits = 10;

// Drops the zeros standing directly before the end of `digits`, back to the first non-zero digit
// or the decimal point, which always stays.
void TrimTrailingZeros(std::string& digits) {
    const std::size_t point = digits.find('.');
    if (point == std::string::npos) {
        return;
    }
    std::size_t end = digits.size();
    while (end > point + 1 && digits[end - 1] == '0') {
        --end;
    }
    digits.resize(end);
}

std::string Format(const char* format, auto... args) {
    const int length = std::snprintf(nullptr, 0, format, args...);
    std::string text(static_cast<std::size_t>(length), '\0');
    std::snprintf(text.data(), text.size() + 1, format, args...);
    return text;
}

} // namespace

std::string NumberText(double value) {
    if (!std::isfinite(value)) {
        return Format("%g", value);
    }
    if (value == 0.0) {
        return "0."; // also for -0.0, which is not a negative value
    }
    // Both forms fit: at most 17 characters in scientific form, 23 in fixed form with d <= 10.
    char scientific[32];
    std::snprintf(scientific, sizeof scientific, "%.*e", kSignificantDigits - 1, value);
    // The rounded scientific form fixes the exponent after rounding (9.9999999999 -> 1.e+001).
    const char* e = std::strchr(scientific, 'e');
    const int exponent = std::atoi(e + 1);
    const int d = exponent + 1; // the value is 0.ddd... x 10^d
    if (d >= 0 && d <= kSignificantDigits) {
        char fixed[32];
        std::snprintf(fixed, sizeof fixed, "%#.*f", kSignificantDigits - d, value);
        std::string text(fixed);
        TrimTrailingZeros(text);
        return text;
    }
    std::string text(scientific, static_cast<std::size_t>(e - scientific));
    TrimTrailingZeros(text);
    char tail[16];
    std::snprintf(tail, sizeof tail, "e%c%03d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return text + tail;
}

std::string CsoundHeaderPiece(int audioFormatIndex) {
    const AudioFormat format = AudioFormatOf(audioFormatIndex);
    long kr = format.rate / 10;
    int ksmps = 10;
    if (format.rate == 11025) {
        kr = 2205; // 11025 has no integer tenth
        ksmps = 5;
    }
    return Format("sr\t\t=\t%ld\r\nkr\t\t=\t%ld\r\nksmps\t\t=\t%d\r\nnchnls\t=\t%d\r\n\r\n",
                  static_cast<long>(format.rate), kr, ksmps, format.channels);
}

std::string InstrumentOpeningPiece() {
    return "\r\n\t\tinstr\t1\r\n\r\n";
}

std::string SliderControllerLine(const SliderRecord& slider) {
    std::string name(TextOf(slider.name));
    for (char& c : name) {
        if (c == ' ') {
            c = '_';
        }
    }
    const std::string minText = NumberText(slider.minValue);
    const std::string maxText = NumberText(slider.maxValue);
    // The line grows with the name: a name of the full 499 characters still gives a whole line.
    std::string line = "\r\nk" + name;
    if (slider.type == kSevenBitType) {
        line += Format("\tctrl7\t\t%d, %d, ", slider.channel + 1, slider.controller1);
    } else {
        line += Format("\tctrl14\t%d, %d, %d, ", slider.channel + 1, slider.controller1,
                       slider.controller2);
    }
    return line + minText + ", " + maxText + "\r\n";
}

std::string InstrumentEndPiece() {
    return "\r\n\r\n\t\tendin\r\n\r\n";
}

std::vector<std::string> InferredOrchestraPieces(std::span<const SliderRecord> sliders,
                                                 int audioFormatIndex) {
    std::vector<std::string> pieces;
    pieces.reserve(sliders.size() + 3);
    pieces.push_back(CsoundHeaderPiece(audioFormatIndex));
    pieces.push_back(InstrumentOpeningPiece());
    for (const SliderRecord& slider : sliders) {
        pieces.push_back(SliderControllerLine(slider));
    }
    pieces.push_back(InstrumentEndPiece());
    return pieces;
}

std::string FunctionTablePiece(int piece) {
    static const char* const kPieces[kFunctionTableCount] = {
        "; Sine function\r\nf1\t0\t4096\t10\t1\r\n\r\n",
        "; Square function\r\nf2\t0\t4096\t10\t1\t0\t.33\t0\t.2\t0\t.14\t0\t.11\r\n\r\n",
        "; Sigmoid function\r\nf3\t0\t1024\t19\t .5\t1\t270\t1\r\n\r\n",
        "; Saw function\r\nf4\t0\t4096\t10\t1\t.5\t.33\t.25\t.2\t.16\t.14\t.125\t.11\r\n\r\n",
        "; Dummy function\r\nf0\t3600\r\n\r\n",
        "; Hamming function\r\nf20\t 0\t 8192\t20\t1\t1\r\n\r\n",
        "; Hanning function\r\nf21\t0\t8192\t20\t2\t456\r\n\r\n",
        "; Bartlett function\r\nf22\t0\t8192\t20\t3\t1\r\n\r\n",
        "; Blackman function\r\nf23\t0\t8192\t20\t4\t1\r\n\r\n",
        "; Blackman-Harris function\r\nf24\t0\t16384\t20\t5\t1\r\n\r\n",
        "; Gaussian function\r\nf25\t0\t16384\t20\t6\t1\r\n\r\n",
        "; Kaiser function\r\nf26\t0\t16384\t20\t7\t1\t2\r\n\r\n",
        "; Rectangle function\r\nf27\t0\t8192\t-20\t8\t.1\r\n\r\n",
    };
    return piece >= 1 && piece <= kFunctionTableCount ? kPieces[piece - 1] : "";
}

std::vector<std::string> PFieldPieces(std::span<SliderRecord> sliders) {
    std::vector<std::string> pieces;
    pieces.reserve(sliders.size() + 2);
    pieces.push_back("; Current values (P-fields)\r\ni.\t+\t.");
    for (SliderRecord& slider : sliders) {
        const double minValue = slider.minValue;
        const double v =
            ((slider.maxValue - minValue) / SliderRange(slider)) * slider.value + minValue;
        slider.scaledValue = static_cast<float>(v);
        std::string piece = "\t"; // appended: "\t" + ... trips a false -Wrestrict of GCC 12
        piece += NumberText(v);
        pieces.push_back(std::move(piece));
    }
    pieces.push_back("\r\n\r\n");
    return pieces;
}
