#include "pages/analog/AdCalibration.h"

#include <cmath>

#include "console/WireFormat.h"
#include "pages/FieldHelpers.h"
#include "pages/analog/AnalogText.h"

namespace orlan {

using namespace analog;

namespace {

constexpr std::string_view kSection = "PageADC";
constexpr std::string_view kConstantText = "62";
constexpr int kVersionTwo = 2;
constexpr int kVoltageInput = 0;

// Every formula divides by the input range.
constexpr std::string_view kErrorEqualEnds = "ADC_CAL_RANGE";
// Numbers that give no finite result (a zero constant, huge ranges).
constexpr std::string_view kErrorNoResult = "ADC_CAL_NUMBER";

} // namespace

SCalibration Calibrate(const SCalibrationInput& in)
{
    if (in.inHigh == in.inLow)
        return {.error = std::string(kErrorEqualEnds)};
    double scale = 0;
    double zero = 0;
    if (in.version == kVersionTwo) {
        scale = (in.actualHigh - in.actualLow) / (in.inHigh - in.inLow);
        zero = in.inLow * scale - in.actualLow;
    } else {
        double slope = (in.actualHigh - in.actualLow) / (in.inHigh - in.inLow);
        if (slope == 0)
            slope = in.constant;
        scale = in.constant / slope;
        zero = slope * in.inLow - in.actualLow;
        // 1000/95, computed as the terminal's own tool does.
        if (in.volts)
            scale = in.constant * 0.010526315789473684 * (scale / in.constant) * 1000;
    }
    if (!std::isfinite(scale) || !std::isfinite(zero))
        return {.error = std::string(kErrorNoResult)};
    return {.scale = FormatWire("%.4f", scale), .zero = FormatWire("%.4f", zero)};
}

SCalibration Calibrate(const CFieldSet& dialog, int version)
{
    return Calibrate({.inLow = DecimalNumber(dialog.Text(kCalInLow)),
                      .inHigh = DecimalNumber(dialog.Text(kCalInHigh)),
                      .actualLow = DecimalNumber(dialog.Text(kCalActualLow)),
                      .actualHigh = DecimalNumber(dialog.Text(kCalActualHigh)),
                      .constant = DecimalNumber(dialog.Text(kCalConstant)),
                      .version = version,
                      .volts = dialog.Number(kCalUnit) == kUnitVolt});
}

SRowEditor MakeCalibrationEditor(size_t channel, float rangeLow, float rangeHigh, int version, int inputType)
{
    SRowEditor editor{.className = "CADCacDlg",
                      .section = std::string(kSection),
                      .title = FormatWire("AIN%zu: ", channel),
                      .titleKey = "CAL_TITLE"};
    CFieldSet& f = editor.fields;
    SFieldDesc caption = Text("version", "CAL_VERSION");
    caption.readOnly = true;
    f.Add(caption, {.text = FormatWire("Version %d", version)});
    f.AddGroup({.id = "input", .captionKey = "CAL_INPUT"});
    f.AddGroup({.id = "actual", .captionKey = "CAL_ACTUAL"});
    auto in = [](SFieldDesc desc, std::string_view group) {
        desc.group = std::string(group);
        return desc;
    };
    f.Add(in(Text(kCalInLow, "CAL_LOW"), "input"));
    f.Add(in(Text(kCalInHigh, "CAL_HIGH"), "input"));
    f.Add(in(Choice(kCalUnit, "CAL_UNIT", FixedItems({"mA", "V"})), "input"),
          {.number = inputType == kVoltageInput ? kUnitVolt : kUnitMilliampere});
    f.Add(in(Text(kCalActualLow, "CAL_LOW"), "actual"), {.text = FormatWire("%.2f", static_cast<double>(rangeLow))});
    f.Add(in(Text(kCalActualHigh, "CAL_HIGH"), "actual"),
          {.text = FormatWire("%.2f", static_cast<double>(rangeHigh))});
    f.Add(Hidden(Text(kCalConstant)), {.text = std::string(kConstantText)});
    return editor;
}

CCommandList CalibrationCommands(size_t channel, const SCalibration& result, const CFieldSet& dialog)
{
    const int currentInput = dialog.Number(kCalUnit) == kUnitMilliampere ? 1 : 0;
    return {
        {FormatWire("%%AIN%zuSC%s\r", channel, result.scale.c_str())},
        {FormatWire("%%AIN%zuZE%s\r", channel, result.zero.c_str())},
        {FormatWire("%%AINTP%zu,%d\r", channel, currentInput)},
        {FormatWire("%%AIN%zuRH%s\r", channel, dialog.LineText(kCalActualHigh).c_str())},
        {FormatWire("%%AIN%zuRL%s\r", channel, dialog.LineText(kCalActualLow).c_str())},
    };
}

} // namespace orlan
