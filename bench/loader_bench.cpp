// Loads one large data file and prints wall, user and system time, throughput and peak memory
// against the memory budget (value table + min/max summaries + 64 MiB). Without an argument it uses
// a generated file of about 1 GB (10 million records x 12 channels), made by kvdgen beside this
// build or, failing that, here.

#include "data/Loader.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <sys/resource.h>

namespace {

constexpr const char* kDefaultFile = "/tmp/kurvon_bench_1g.kvd";
constexpr unsigned kRecords = 10000000;
constexpr unsigned kChannels = 12;

class NoProgress : public kurvon::ProgressSink {
public:
    void SetPosition(int) override { ++positions; }
    void Show() override {}
    int positions = 0;
};

bool RunKvdgen(const std::filesystem::path& self, const std::string& out) {
    const std::filesystem::path kvdgen = self.parent_path() / ".." / "tools" / "kvdgen";
    if (!std::filesystem::exists(kvdgen))
        return false;
    std::string command = "'";
    command += kvdgen.string();
    command += "' --records ";
    command += std::to_string(kRecords);
    command += " --extra-channels 6 --seed 1 --out '";
    command += out;
    command += "'";
    std::cout << "generating with: " << command << std::endl;
    return std::system(command.c_str()) == 0;
}

// Plain fallback: CR LF lines of twelve numbers with three decimals.
bool WriteOwnFile(const std::string& out) {
    std::cout << "generating " << out << " without kvdgen" << std::endl;
    std::ofstream file(out, std::ios::binary);
    file << "generated benchmark file\r\n";
    for (unsigned c = 0; c < kChannels; ++c)
        file << "ch" << c << (c + 1 < kChannels ? "\t" : "\r\n");
    std::string line;
    unsigned state = 12345;
    for (unsigned r = 0; r < kRecords; ++r) {
        line.clear();
        for (unsigned c = 0; c < kChannels; ++c) {
            state = state * 1103515245u + 12345u;
            char field[32];
            const int n = std::snprintf(field, sizeof field, "%u.%03u", (state >> 8) % 1000,
                                        (state >> 18) % 1000);
            line.append(field, static_cast<std::size_t>(n));
            line += c + 1 < kChannels ? '\t' : '\r';
        }
        line += '\n';
        file << line;
    }
    return static_cast<bool>(file);
}

struct CpuTimes {
    double user = 0;
    double system = 0;
    long minorFaults = 0;
};

double Seconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

CpuTimes CpuNow() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return {Seconds(usage.ru_utime), Seconds(usage.ru_stime), usage.ru_minflt};
}

double PeakResidentMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            double kilobytes = 0;
            status >> kilobytes;
            return kilobytes / 1024.0;
        }
        status.ignore(1 << 20, '\n');
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

} // namespace

int main(int argc, char** argv) {
    std::string path = argc > 1 ? argv[1] : kDefaultFile;
    if (argc <= 1 && !std::filesystem::exists(path)) {
        const std::string partial = path + ".part";
        if (!RunKvdgen(std::filesystem::absolute(argv[0]), partial) && !WriteOwnFile(partial)) {
            std::cerr << "cannot generate " << path << '\n';
            return 1;
        }
        std::filesystem::rename(partial, path);
    }

    std::error_code error;
    const auto fileBytes = std::filesystem::file_size(path, error);
    if (error) {
        std::cerr << "usage: loader_bench [FILE.kvd]\n" << path << ": " << error.message() << '\n';
        return 1;
    }
    const double fileMegabytes = static_cast<double>(fileBytes) / 1e6;
    NoProgress progress;
    kurvon::LoadOptions options;
    options.colorSeed = 1;
    const CpuTimes before = CpuNow();
    const auto start = std::chrono::steady_clock::now();
    const kurvon::LoadResult result = kurvon::LoadDataFile(path, progress, options);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const CpuTimes after = CpuNow();
    if (result.status != kurvon::LoadStatus::Loaded) {
        std::cerr << "load failed with status " << static_cast<int>(result.status) << '\n';
        return 1;
    }

    const double records = result.data.recordCount;
    const double tableMegabytes = records * result.data.channelCount * 4 / 1e6;
    double summaryMegabytes = 0;
    for (const kurvon::ChannelSummary& summary : result.data.summaries)
        summaryMegabytes += static_cast<double>(summary.Bytes()) / 1e6;
    const double budget = tableMegabytes + summaryMegabytes + 64 * 1.048576;
    const double peak = PeakResidentMegabytes() * 1.048576;
    std::printf("file            %s\n", path.c_str());
    std::printf("file size       %.1f MB\n", fileMegabytes);
    std::printf("records         %u x %u channels\n", result.data.recordCount,
                result.data.channelCount);
    std::printf("wall            %.3f s\n", seconds);
    // Other programs competing for the cores stretch the wall time; the CPU times do not.
    std::printf("user            %.3f s (all threads)\n", after.user - before.user);
    std::printf("sys             %.3f s (all threads; %ld minor page faults)\n",
                after.system - before.system, after.minorFaults - before.minorFaults);
    std::printf("throughput      %.1f MB/s\n", fileMegabytes / seconds);
    std::printf("records/s       %.0f\n", records / seconds);
    std::printf("progress sent   %d positions\n", progress.positions);
    std::printf("peak RSS        %.1f MB\n", peak);
    std::printf("memory budget   %.1f MB (table %.1f + summaries %.1f + 64 MiB) %s\n", budget,
                tableMegabytes, summaryMegabytes, peak <= budget ? "ok" : "EXCEEDED");
    return 0;
}
