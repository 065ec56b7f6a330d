// Sizing, operating-state model and panel values on reachable states: the main window's stored
// values are driven by field entries, list choices, the evaporation option, the two sliders and
// the calculate command, all chosen by the input. Properties after every run: every figure finite,
// the collector volume never negative, f within 0 … 1, the pressure within 1 bar … pmax and the
// needle on its dial arc, the gas bar inside the vessel picture, a failing run reports the range
// message and leaves the state as it was, a rejected collector volume is restored to a text the
// sizing accepts, and a second run gives the same result.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "main_steps.h"
#include "opstate.h"
#include "sizing.h"
#include "tables.h"

using namespace expans;

namespace {

struct Window {
    MainState state;
    bool evaporation = true;
    std::string text11 = "4,71";
    std::string text7 = "7";
    int hscroll1 = 60;
    int hscroll2 = 70;
    char separator = ',';
};

std::string note(const Window& w) {
    return "Text11 '" + w.text11 + "' Text7 '" + w.text7 + "' sliders " +
           std::to_string(w.hscroll1) + "/" + std::to_string(w.hscroll2) +
           (w.evaporation ? " evaporation" : " plain");
}

void sizing(Window& w) {
    const SizingOutcome out = size(w.state, w.evaporation, w.text11, w.text7, w.separator);
    const SizingOutcome again = size(w.state, w.evaporation, w.text11, w.text7, w.separator);
    FUZZ_CHECK(out.state == again.state && out.messages == again.messages &&
                   out.collectorVolumeRestoreText == again.collectorVolumeRestoreText,
               note(w) + ": a second sizing run differs");
    FUZZ_CHECK(out.messages.size() <= 2, note(w));
    if (!out.labels) {
        FUZZ_CHECK(!out.messages.empty() && out.messages.back() == kOutOfRangeMessage, note(w));
        FUZZ_CHECK(out.state == w.state, note(w) + ": a failing sizing changed the state");
    }
    if (out.collectorVolumeRestoreText) {
        // The restored text is one the sizing accepts.
        const SizingOutcome restored =
            size(out.state, true, *out.collectorVolumeRestoreText, w.text7, w.separator);
        FUZZ_CHECK(restored.collectorVolumeRestoreText == std::nullopt,
                   note(w) + " restored " + *out.collectorVolumeRestoreText);
        w.text11 = *out.collectorVolumeRestoreText;
    }
    FUZZ_CHECK(out.state.CollectorVolume >= Currency{}, note(w) + ": negative collector volume");
    w.state = out.state;
}

void checkPanel(const Window& w, const OperatingOutcome& out, const MainState& before) {
    const std::string where = note(w);
    if (!out.ok) {
        FUZZ_CHECK(out.message == kOutOfRangeMessage, where);
        FUZZ_CHECK(out.state == before, where + ": a failing panel run changed the state");
        return;
    }
    const MainState& s = out.state;
    FUZZ_CHECK(std::isfinite(out.vapourFraction), where);
    FUZZ_CHECK(out.vapourFraction >= 0 && out.vapourFraction <= 1, where);
    FUZZ_CHECK(
        Currency::fromInt(1) <= s.SystemPressureAbs && s.SystemPressureAbs <= s.MaxPressureAbs,
        where + ": pressure off the dial");
    FUZZ_CHECK(s.GasVolume <= Currency::fromInt(s.SelectedVesselVolume), where);

    const Segment& needle = out.display.needle;
    FUZZ_CHECK(needle.x1 == kNeedlePivot && needle.y1 == kNeedlePivot, where);
    const double dx = needle.x2 - kNeedlePivot;
    const double dy = kNeedlePivot - needle.y2;
    FUZZ_CHECK(std::fabs(std::hypot(dx, dy) - kNeedleLength) < 0.01, where + ": needle length");
    const double theta = std::atan2(dx, dy);  // clockwise from straight up
    FUZZ_CHECK(theta >= -2.3563 && theta <= 2.3539, where + ": needle beyond the dial's ends");

    const BarGeometry& bar = out.display.gasBar;
    FUZZ_CHECK(std::isfinite(bar.height) && std::isfinite(bar.top), where);
    FUZZ_CHECK(bar.height >= 0 && bar.height <= 1356.01F, where + ": gas bar beyond the vessel");
    FUZZ_CHECK(std::fabs(bar.top + bar.height - kGasBarBottom) < 0.01, where + ": gas bar bottom");
}

void panel(Window& w) {
    const OperatingOutcome out = recompute(w.state, w.hscroll2, w.text11, w.separator);
    checkPanel(w, out, w.state);
    const OperatingOutcome again = recompute(out.state, w.hscroll2, w.text11, w.separator);
    FUZZ_CHECK(again.ok == out.ok && again.state == out.state &&
                   again.display.gaugePressureText == out.display.gaugePressureText &&
                   again.display.boilingPointText == out.display.boilingPointText &&
                   again.display.vapourShareText == out.display.vapourShareText,
               note(w) + ": a second panel run differs");
    if (out.ok) w.state = out.state;
}

void meanSliderTo(Window& w, int value) {
    w.hscroll1 = value;
    const MeanSliderStep step = meanSlider(w.state, value);
    w.hscroll2 = std::clamp(step.collectorTemperature, -25, 200);
    panel(w);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    Window w;
    w.separator = input.ConsumeBool() ? ',' : '.';
    w.state = startState();
    applyFluid(w.state, kStartFluidIndex);
    applyVessel(w.state, kStartVesselIndex);
    sizing(w);
    meanSliderTo(w, 60);

    for (int step = 0; step < 32 && input.remaining_bytes() > 0; ++step) {
        switch (input.ConsumeIntegralInRange(0, 8)) {
            case 0: {
                const int field = input.ConsumeIntegralInRange(0, 5);  // Text7 below
                w.state = fuzz::fieldStep(w.state, field, fuzz::enteredText(input), w.separator);
                break;
            }
            case 1:
                applyFluid(w.state, input.ConsumeIntegralInRange(-1, 7));
                sizing(w);
                panel(w);
                break;
            case 2:
                applyVessel(w.state, input.ConsumeIntegralInRange(-1, 16));
                panel(w);
                sizing(w);
                break;
            case 3:
                w.evaporation = !w.evaporation;
                sizing(w);
                panel(w);
                break;
            case 4:
                w.text11 = fuzz::enteredText(input);
                break;
            case 5: {
                const std::string typed = fuzz::enteredText(input);
                const FieldCheck check = checkText7(w.state, typed, w.separator);
                w.state = check.state;
                w.text7 = check.restoreText.value_or(typed);
                break;
            }
            case 6:
                meanSliderTo(w, input.ConsumeIntegralInRange(-25, 160));
                break;
            case 7:
                w.hscroll2 = input.ConsumeIntegralInRange(-25, 200);
                panel(w);
                break;
            default:
                sizing(w);
                panel(w);
                break;
        }
    }
    return 0;
}
