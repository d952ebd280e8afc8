// Times whole "kelvorad calc" runs: 350 pairs (the window's table size) and 1,000,000 pairs,
// each reading a text file of pairs and writing the results rows and the seven plot data files.
// Tables up to the window's size run as a user runs them, with the full thermodynamic model;
// larger batches leave it out (--no-full-model), as the manual advises for them. Each run is
// timed in wall time and in the CPU time of the program (user and system), with the load
// average, since the machine may be shared.
// Usage: cli_run_bench [pairs...]   (default: 350 1000000)
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "bench_pairs.h"

extern char** environ;

namespace {
constexpr std::size_t kWindowTablePairs = 350;

struct RunTime {
    double wall = -1, cpu = -1;  // seconds; negative: the run failed
};

RunTime runSeconds(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return {};
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return {};
    const auto seconds = [](timeval t) { return double(t.tv_sec) + double(t.tv_usec) * 1e-6; };
    return {std::chrono::duration<double>(end - start).count(),
            seconds(usage.ru_utime) + seconds(usage.ru_stime)};
}
}  // namespace

int main(int argc, char** argv) {
    std::vector<std::size_t> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(std::stoul(argv[i]));
    if (sizes.empty()) sizes = {350, 1'000'000};
    const auto dir = std::filesystem::temp_directory_path() / "kelvorad_cli_bench";
    std::filesystem::create_directories(dir);
    for (std::size_t n : sizes) {
        const auto input = dir / ("pairs" + std::to_string(n) + ".tsv");
        {
            std::ofstream out(input);
            for (const auto& pair : kelvorad::bench::generatedPairs(n)) {
                out << kelvorad::bench::pairLine(pair) << '\n';
            }
        }
        const int repeats = n <= 10000 ? 21 : 3;
        std::vector<double> times, cpuTimes;
        for (int r = 0; r < repeats; ++r) {
            std::vector<std::string> args{
                KELVORAD_BINARY, "calc",      input.string(), "--rows", (dir / "rows.tsv").string(),
                "--plot-dir",    dir.string()};
            if (n > kWindowTablePairs) args.emplace_back("--no-full-model");
            const RunTime t = runSeconds(args);
            if (t.wall < 0) {
                std::fprintf(stderr, "kelvorad calc failed on %zu pairs\n", n);
                return 1;
            }
            times.push_back(t.wall);
            cpuTimes.push_back(t.cpu);
        }
        std::sort(times.begin(), times.end());
        std::sort(cpuTimes.begin(), cpuTimes.end());
        double load[1] = {-1};
        getloadavg(load, 1);
        const auto size = std::filesystem::file_size(dir / "rows.tsv");
        std::printf(
            "%8zu pairs: wall median %.4f s, best %.4f s; CPU median %.4f s, best %.4f s; over %d "
            "runs, load average %.2f (%.0f pairs/s, rows %.1f MB)\n",
            n, times[times.size() / 2], times.front(), cpuTimes[cpuTimes.size() / 2],
            cpuTimes.front(), repeats, load[0], double(n) / times[times.size() / 2],
            double(size) / 1e6);
    }
    return 0;
}
