// The main window's input rules on a live state: a sequence of entries, each into a field chosen
// by the input, with either decimal separator. Properties are checked in main_steps.h: at most
// one message per check, a restore exactly when a message, stored values change only on
// acceptance, the pressures ordered within 1 … 7 bar absolute and cold <= mean temperature
// after every step, and a restored text passes its own check.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>

#include "main_steps.h"
#include "tables.h"

using namespace expans;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const char separator = input.ConsumeBool() ? ',' : '.';
    MainState state = startState();
    state.StaticHeight = Currency::fromInt(7);
    fuzz::checkStoredOrder(state, "start");
    for (int step = 0; step < 64 && input.remaining_bytes() > 0; ++step) {
        const int field = input.ConsumeIntegralInRange(0, 6);
        state = fuzz::fieldStep(state, field, fuzz::enteredText(input), separator);
    }
    return 0;
}
