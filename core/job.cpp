#include "job.h"

#include "catalogue.h"
#include "numtext.h"
#include "tables.h"

namespace expans {

int fluidCount() {
    return static_cast<int>(fluidNames().size());
}

int vesselCount() {
    return static_cast<int>(vesselNames().size());
}

int volumeListCount(std::size_t list) {
    if (list >= kVolumeListCount) return 0;
    return static_cast<int>(listEntries(static_cast<VolumeList>(list)).size());
}

std::optional<std::string> ruleFault(const Job& job) {
    for (std::size_t i = 0; i < kVolumeListCount; ++i) {
        const auto list = static_cast<VolumeList>(i);
        const int index = job.volumeLists[i];
        for (const FixedBox& fixed : fixedBoxes(list, index, ',')) {
            const CurrencyParse held =
                parseCurrency(job.volumeBoxes[static_cast<std::size_t>(fixed.box)]);
            if (held.status == ParseStatus::Ok && held.value == parseCurrency(fixed.text).value) {
                continue;
            }
            const std::string entry = listEntries(list).at(static_cast<std::size_t>(index));
            return std::string("A(z) „Rendszerterfogat.") + boxName(fixed.box) +
                   "” értéke érvénytelen: a(z) „" + entry + "” választáshoz " + fixed.text +
                   " tartozik.";
        }
    }
    return std::nullopt;
}

}  // namespace expans
