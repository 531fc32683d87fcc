#pragma once
// Csound text inferred from the panel and the audio format: the orchestra header, one MIDI
// controller line per slider, ready-made function tables and the current values as p-fields.
// Plain functions over their inputs, so that the editor's Insert menu and the companion tool print
// the same bytes. Line ends are CR LF.

#include <span>
#include <string>
#include <vector>

#include "panel/PanelRecords.h"

inline constexpr int kFunctionTableCount = 13;

// Ten significant digits, rounded; fixed-point while the value is 0 or at least 0.1 and has at
// most ten digits before the point, otherwise one digit, nine decimals and a signed three-digit
// exponent; trailing zeros removed, the point always kept ("0.", "0.5", "5.000000075e-002").
std::string NumberText(double value);

// "sr", "kr", "ksmps" and "nchnls" of the audio format (index 0..15, the default for any other).
std::string CsoundHeaderPiece(int audioFormatIndex);
std::string InstrumentOpeningPiece();
// "k<name>" (blanks turned into underscores) reading the slider's controller(s) over its range.
std::string SliderControllerLine(const SliderRecord& slider);
std::string InstrumentEndPiece();
// The header, the instrument opening, one line per slider and the instrument end, in the order
// they are inserted (2 + sliders + 1 pieces).
std::vector<std::string> InferredOrchestraPieces(std::span<const SliderRecord> sliders,
                                                 int audioFormatIndex);

// Function-table piece 1..13 (sine .. rectangle); empty for any other number.
std::string FunctionTablePiece(int piece);

// The score line of the sliders' current values, as 2 + sliders pieces. Each slider's linearly
// mapped value is written back into its `scaledValue`.
std::vector<std::string> PFieldPieces(std::span<SliderRecord> sliders);
