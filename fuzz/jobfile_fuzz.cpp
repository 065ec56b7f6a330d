// Job file reader: arbitrary bytes never crash it; a rejected file always gets a message; an
// accepted job writes out and reads back as the same job.
#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "io/jobfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const expans::ui::JobRead read = expans::ui::jobFromJson(bytes);
    if (!read.job) {
        if (read.error.isEmpty()) std::abort();
        return 0;
    }
    if (!read.error.isEmpty()) std::abort();
    const expans::ui::JobRead again = expans::ui::jobFromJson(expans::ui::jobToJson(*read.job));
    if (!again.job || !(*again.job == *read.job)) std::abort();
    return 0;
}
