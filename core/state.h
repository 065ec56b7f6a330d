#pragma once

// The two state records. Each window owns one for the life of the process; the calculations are
// functions over them. Pressures are absolute (the gauge value the user types plus exactly 1 bar).

#include <array>
#include <cstdint>

#include "currency.h"

namespace expans {

// Main window: the stored inputs, the chosen fluid's coefficients, the sizing results and the
// values the operating-state panel keeps. All zero when created; start-up fills them in.
struct MainState {
    Currency SystemVolume;        // liter
    Currency PrePressureAbs;      // bar absolute, vessel air side
    Currency FillPressureAbs;     // bar absolute, cold fill
    Currency MaxPressureAbs;      // bar absolute, safety-valve setting
    Currency ColdTemperature;     // °C
    Currency MaxMeanTemperature;  // °C
    Currency MaxStaticHeight;     // m, largest height keeping 1.5 bar at the collectors
    Currency StaticHeight;        // m, collectors above the vessel, as read by the last sizing
    Currency CollectorVolume;     // liter, 0 when evaporation is not considered
    std::int16_t SelectedVesselVolume = 0;  // liter, nominal volume of the chosen vessel
    Currency GlycolFraction;                // 0 … 0.6
    double SpecVolumeA = 0;                 // m³/kg
    double SpecVolumeB = 0;                 // m³/(kg·°C)
    double SpecVolumeC = 0;                 // m³/(kg·°C²)
    Currency HotVolume;                     // liter
    Currency ExpansionVolume;               // liter
    Currency MinVesselVolume;               // liter
    Currency VesselWaterReserve;            // liter

    // Operating-state panel.
    std::int16_t MeanTemperature = 0;  // °C, position of the mean-temperature slider
    Currency CollectorTemperature;     // °C, position of the collector-temperature slider
    Currency MeanExpansion;            // relative expansion cold -> mean temperature
    Currency CollectorExpansion;       // relative expansion cold -> collector temperature
    Currency GasCushionProduct;        // liter·bar, vessel volume × pre-pressure
    Currency VapourVolume;             // liter
    Currency OperatingVolume;          // liter
    Currency OperatingVolumeChange;    // liter
    Currency GasVolume;                // liter
    Currency SystemPressureAbs;        // bar absolute
    Currency BoilingPoint;             // °C

    friend bool operator==(const MainState&, const MainState&) = default;
};

// System-volume window. Its text boxes are the master copy of every figure; these values are
// re-read from them by each summation.
struct VolumeState {
    Currency CollectorUnitVolume1;  // liter per collector
    Currency CollectorCount1;
    Currency CollectorUnitVolume2;
    Currency CollectorCount2;
    Currency ExchangerVolume1;  // liter
    Currency ExchangerVolume2;
    Currency ExchangerVolume3;
    Currency PipeLitresPerMetre1;
    Currency PipeLitresPerMetre2;
    Currency PipeLitresPerMetre3;
    Currency PipeLitresPerMetre4;
    Currency PipeLength1;  // m
    Currency PipeLength2;
    Currency PipeLength3;
    Currency PipeLength4;
    Currency FittingsVolume;  // liter
    Currency CollectorTotal;  // liter
    Currency PipingTotal;     // liter
    Currency CircuitTotal;    // liter
    // Tenths of a liter, rounded, with one tenth added; 32 bits so large circuits do not wrap.
    std::int32_t CircuitVolumeTenths = 0;
    // The sixteen box figures the last complete run counted, in VolumeBox order. A figure that
    // cannot be counted is replaced by its box's entry here (the lists write the other values
    // above before the run that checks them).
    std::array<Currency, 16> CountedFigures{};
    // Each list's entry at that run, in VolumeList order; -1 before the first run.
    std::array<int, 9> CountedLists{-1, -1, -1, -1, -1, -1, -1, -1, -1};
    // The calculation in progress, nested runs included; all zero between user changes.
    struct Run {
        int depth = 0;              // calculations running, the outermost one a user's change
        bool restoring = false;     // a refused total is being put back: its writes run nothing
        bool refusalShown = false;  // this change has said a figure cannot be counted

        friend bool operator==(const Run&, const Run&) = default;
    } Running;

    friend bool operator==(const VolumeState&, const VolumeState&) = default;
};

}  // namespace expans
