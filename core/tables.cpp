#include "tables.h"

#include <array>
#include <cstddef>

namespace expans {

namespace {

struct FluidRow {
    const char* name;
    std::int64_t fractionTicks;  // ten-thousandths
    double a;
    double b;
    double c;
};

constexpr std::array<FluidRow, 7> kFluids{{
    {"Víz", 0, 0.001, -1.19155e-07, 4.51198e-09},
    {"Propilén-glikol 10%", 1000, 0.000987692, 1.92707e-07, 2.99184e-09},
    {"Propilén-glikol 20%", 2000, 0.000975577, 2.83286e-07, 2.74985e-09},
    {"Propilén-glikol 30%", 3000, 0.000965535, 3.62331e-07, 2.53222e-09},
    {"Propilén-glikol 40%", 4000, 0.00095772, 4.27281e-07, 2.33467e-09},
    {"Propilén-glikol 50%", 5000, 0.000951542, 4.89314e-07, 2.10835e-09},
    {"Propilén-glikol 60%", 6000, 0.000947461, 5.47687e-07, 1.86766e-09},
}};

constexpr std::array<std::int16_t, 16> kVesselVolumes{8,   12,  18,  25,  35,  50,  80,  110,
                                                      140, 200, 300, 400, 500, 600, 800, 1000};

template <typename Table>
bool inTable(const Table& table, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < table.size();
}

}  // namespace

const std::vector<std::string>& fluidNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> result;
        for (const FluidRow& row : kFluids) result.emplace_back(row.name);
        return result;
    }();
    return names;
}

std::optional<Fluid> fluidAt(int index) {
    if (!inTable(kFluids, index)) return std::nullopt;
    const FluidRow& row = kFluids[static_cast<std::size_t>(index)];
    return Fluid{Currency::fromTicks(row.fractionTicks), row.a, row.b, row.c};
}

bool applyFluid(MainState& state, int index) {
    const std::optional<Fluid> fluid = fluidAt(index);
    if (!fluid) return false;
    state.GlycolFraction = fluid->glycolFraction;
    state.SpecVolumeA = fluid->a;
    state.SpecVolumeB = fluid->b;
    state.SpecVolumeC = fluid->c;
    return true;
}

const std::vector<std::string>& vesselNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> result;
        for (std::int16_t volume : kVesselVolumes)
            result.push_back(std::to_string(volume) + " liter");
        return result;
    }();
    return names;
}

std::optional<std::int16_t> vesselVolumeAt(int index) {
    if (!inTable(kVesselVolumes, index)) return std::nullopt;
    return kVesselVolumes[static_cast<std::size_t>(index)];
}

bool applyVessel(MainState& state, int index) {
    const std::optional<std::int16_t> volume = vesselVolumeAt(index);
    if (!volume) return false;
    state.SelectedVesselVolume = *volume;
    return true;
}

MainState startState() {
    MainState state;
    state.SystemVolume = Currency::fromTicks(183000);
    state.PrePressureAbs = Currency::fromTicks(45000);
    state.FillPressureAbs = Currency::fromTicks(50000);
    state.MaxPressureAbs = Currency::fromTicks(70000);
    state.ColdTemperature = Currency::fromTicks(200000);
    state.MaxMeanTemperature = Currency::fromTicks(1400000);
    state.SelectedVesselVolume = 25;
    return state;
}

}  // namespace expans
