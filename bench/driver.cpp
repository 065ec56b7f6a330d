// Runs the calculator's benchmark and its floor interleaved (A, B, A, B, …, the order swapped
// every round), takes the ratio of each round and prints the median of each figure, one line each:
//   startup_offscreen project=32.1ms floor=29.8ms ratio=1.08 target=1.10 ok
// Usage: expans-bench-driver [--rounds N] [--display :N] [--no-judge] <bench> <floor>
// The exit status is 1 when a judged figure misses its target (never with --no-judge).

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

using Figures = std::map<std::string, double>;

long long nowNs() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// Runs one program in one mode and reads its `key=value` lines. The start stamp is taken in the
// child just before exec.
Figures runOnce(const std::string& program, const char* mode, const char* display) {
    int out[2];
    if (pipe(out) != 0) return {};
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        if (display) {
            setenv("QT_QPA_PLATFORM", "xcb", 1);
            setenv("DISPLAY", display, 1);
        }
        const std::string stamp = std::to_string(nowNs());
        setenv("EXPANS_BENCH_T0", stamp.c_str(), 1);
        execl(program.c_str(), program.c_str(), mode, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) text.append(buffer, n);
    close(out[0]);
    int status = 0;
    waitpid(child, &status, 0);
    Figures figures;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(at, end - at);
        const std::size_t eq = line.find('=');
        if (eq != std::string::npos) figures[line.substr(0, eq)] = std::atof(line.c_str() + eq + 1);
        at = end + 1;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s %s failed (status %d)\n", program.c_str(), mode, status);
    }
    return figures;
}

double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// How a figure is judged: its ratio to the floor; its own count (paint passes per step, paints
// after a step; the target then caps the project's figure); or not at all (info).
enum class Judge { Ratio, AtMost, Info };

struct Figure {
    const char* name;
    const char* run;  // which run gives it: startup, xvfb, slider or volume
    const char* key;
    const char* unit;
    Judge judge;
    double target;
};

const Figure kFigures[] = {
    {"startup_offscreen", "startup", "startup_ms", "ms", Judge::Ratio, 1.10},
    {"startup_xvfb", "xvfb", "startup_ms", "ms", Judge::Ratio, 1.10},
    {"memory_rss", "startup", "rss_mb", "MB", Judge::Ratio, 1.20},
    {"memory_peak", "startup", "peak_mb", "MB", Judge::Ratio, 1.20},
    {"memory_rss_idle", "startup", "rss_idle_mb", "MB", Judge::Ratio, 1.20},
    {"slider_mean_step", "slider", "slider_mean_us", "us", Judge::Ratio, 1.50},
    {"slider_mean_passes", "slider", "slider_mean_passes", "", Judge::AtMost, 1.00},
    {"slider_mean_widgets", "slider", "slider_mean_widgets", "", Judge::Info, 0},
    {"slider_mean_late_paints", "slider", "slider_mean_late", "", Judge::AtMost, 0},
    {"slider_collector_step", "slider", "slider_collector_us", "us", Judge::Ratio, 1.50},
    {"slider_collector_passes", "slider", "slider_collector_passes", "", Judge::AtMost, 1.00},
    {"slider_collector_widgets", "slider", "slider_collector_widgets", "", Judge::Info, 0},
    {"slider_collector_late_paints", "slider", "slider_collector_late", "", Judge::AtMost, 0},
    {"volume_open", "volume", "volume_open_ms", "ms", Judge::Ratio, 2.00},
    {"volume_open_repaints", "volume", "volume_open_repaints", "", Judge::Ratio, 1.00},
    {"volume_return", "volume", "volume_return_ms", "ms", Judge::Ratio, 2.00},
    {"volume_return_repaints", "volume", "volume_return_repaints", "", Judge::Ratio, 1.00},
    {"volume_open_again", "volume", "volume_open_again_ms", "ms", Judge::Ratio, 2.00},
    {"volume_return_again", "volume", "volume_return_again_ms", "ms", Judge::Ratio, 2.00},
    {"volume_summation", "volume", "summation_us", "us", Judge::Info, 0},
};

}  // namespace

int main(int argc, char* argv[]) {
    int rounds = 15;
    const char* display = nullptr;
    bool judge = true;
    std::vector<std::string> programs;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--rounds") && i + 1 < argc) {
            rounds = std::max(1, std::atoi(argv[++i]));
        } else if (!std::strcmp(argv[i], "--display") && i + 1 < argc) {
            display = argv[++i];
        } else if (!std::strcmp(argv[i], "--no-judge")) {
            judge = false;
        } else {
            programs.emplace_back(argv[i]);
        }
    }
    if (programs.size() != 2) {
        std::fprintf(stderr, "usage: %s [--rounds N] [--display :N] [--no-judge] <bench> <floor>\n",
                     argv[0]);
        return 2;
    }

    // run → key → values per round, for each side; ratios per round.
    std::map<std::string, std::map<std::string, std::vector<double>>> project, floor, ratio;
    std::vector<std::pair<std::string, const char*>> runs = {
        {"startup", "startup"}, {"slider", "slider"}, {"volume", "volume"}};
    if (display) runs.insert(runs.begin() + 1, {"xvfb", "startup"});
    for (int round = 0; round < rounds; ++round) {
        for (const auto& [run, mode] : runs) {
            const char* where = run == "xvfb" ? display : nullptr;
            Figures a, b;
            if (round % 2 == 0) {
                a = runOnce(programs[0], mode, where);
                b = runOnce(programs[1], mode, where);
            } else {
                b = runOnce(programs[1], mode, where);
                a = runOnce(programs[0], mode, where);
            }
            for (const auto& [key, value] : a) {
                project[run][key].push_back(value);
                const auto other = b.find(key);
                if (other != b.end() && other->second > 0) {
                    ratio[run][key].push_back(value / other->second);
                }
            }
            for (const auto& [key, value] : b) floor[run][key].push_back(value);
        }
        std::fprintf(stderr, "round %d of %d\n", round + 1, rounds);
    }

    bool allOk = true;
    for (const Figure& figure : kFigures) {
        if (!project[figure.run].count(figure.key)) continue;
        const double p = median(project[figure.run][figure.key]);
        const double f = median(floor[figure.run][figure.key]);
        const bool isRatio = figure.judge == Judge::Ratio;
        const double r = isRatio ? median(ratio[figure.run][figure.key])
                                 : (f > 0 ? p / f : (p == 0 ? 1.0 : p + 1.0));
        const int digits = std::strcmp(figure.unit, "MB") == 0 || !*figure.unit ? 2 : 1;
        std::printf("%s project=%.*f%s floor=%.*f%s ratio=%.2f", figure.name, digits, p,
                    figure.unit, digits, f, figure.unit, r);
        if (figure.judge == Judge::Info) {
            std::printf(" target=- info\n");
            continue;
        }
        const bool ok = isRatio ? r <= figure.target : p <= figure.target;
        allOk = allOk && ok;
        std::printf(" target=%.2f %s\n", figure.target, ok ? "ok" : "FAIL");
    }
    std::fflush(stdout);
    return judge && !allOk ? 1 : 0;
}
