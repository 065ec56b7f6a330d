#include "job.h"

#include "catalogue.h"
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

}  // namespace expans
