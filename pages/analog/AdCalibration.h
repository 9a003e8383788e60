#pragma once
// The calibration dialog of one analog channel (CADCacDlg): from the
// electrical input range and the engineering range that matches it, the
// channel's scale and zero. Its OK sends them at once with the unit and the
// range, outside any batch.
//
// Field ids: version (the caption "Version N", shown only), inLow, inHigh
// (the input range, empty at first), unit ("mA" or "V"), actualLow,
// actualHigh (preset from the channel's range) and the hidden constant.
#include <string>

#include "pages/Page.h"

namespace orlan {

inline constexpr std::string_view kCalInLow = "inLow";
inline constexpr std::string_view kCalInHigh = "inHigh";
inline constexpr std::string_view kCalUnit = "unit";
inline constexpr std::string_view kCalActualLow = "actualLow";
inline constexpr std::string_view kCalActualHigh = "actualHigh";
inline constexpr std::string_view kCalConstant = "constant";

inline constexpr int kUnitMilliampere = 0;
inline constexpr int kUnitVolt = 1;

struct SCalibrationInput {
    double inLow = 0;
    double inHigh = 0;
    double actualLow = 0;
    double actualHigh = 0;
    double constant = 0;
    int version = 1;
    bool volts = false;
};

// Scale and zero as the terminal takes them ("%.4f"), or the SYSMSG key of
// why there are none.
struct SCalibration {
    std::string error;
    std::string scale;
    std::string zero;
};

SCalibration Calibrate(const SCalibrationInput& input);
// The same from the dialog's fields, texts read as decimal numbers.
SCalibration Calibrate(const CFieldSet& dialog, int version);

// The dialog of a channel: the range preset with two decimals, the unit from
// the channel's input type (voltage: "V", else "mA").
SRowEditor MakeCalibrationEditor(size_t channel, float rangeLow, float rangeHigh, int version, int inputType);

// What OK sends for channel `channel`: scale, zero, type, range high and low.
CCommandList CalibrationCommands(size_t channel, const SCalibration& result, const CFieldSet& dialog);

} // namespace orlan
