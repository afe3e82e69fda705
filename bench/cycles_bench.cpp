// The cycle table of a large generated file: loads it once (the same 10 million record kvdgen
// file as loader_bench, made beside this build when missing), then computes the table on one
// and on two threads several times and prints the median wall time of each and the time of one
// plain pass summing the three channels it reads.
//
//   cycles_bench [FILE.kvd] [--runs N]

#include "analysis/CycleTable.h"
#include "analysis/RoleRecognition.h"
#include "data/Loader.h"
#include "platform/TextDecode.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr const char* kDefaultFile = "/tmp/kurvon_bench_1g.kvd";

class NoProgress : public kurvon::ProgressSink {
public:
    void SetPosition(int) override {}
    void Show() override {}
};

bool Generate(const std::filesystem::path& self, const std::string& path) {
    const std::filesystem::path kvdgen = self.parent_path() / ".." / "tools" / "kvdgen";
    const std::string partial = path + ".part";
    std::string command = "'";
    command += kvdgen.string();
    command += "' --records 10000000 --extra-channels 6 --seed 1 --out '";
    command += partial;
    command += "'";
    std::printf("generating with: %s\n", command.c_str());
    std::fflush(stdout);
    if (!std::filesystem::exists(kvdgen) || std::system(command.c_str()) != 0)
        return false;
    std::filesystem::rename(partial, path);
    return true;
}

double MedianSeconds(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    std::string path = kDefaultFile;
    int runs = 9;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else
            path = arg;
    }
    if (path == kDefaultFile && !std::filesystem::exists(path) &&
        !Generate(std::filesystem::absolute(argv[0]), path)) {
        std::fprintf(stderr, "cannot generate %s (build tools/kvdgen)\n", path.c_str());
        return 1;
    }
    NoProgress progress;
    const kurvon::LoadResult loaded = kurvon::LoadDataFile(path, progress, {});
    if (loaded.status != kurvon::LoadStatus::Loaded) {
        std::fprintf(stderr, "cannot load %s\n", path.c_str());
        return 1;
    }
    const kurvon::DataSet& data = loaded.data;
    std::vector<std::string> names;
    for (const std::string& name : data.names)
        names.push_back(kurvon::DecodeTextToUtf8(name, data.nameEncoding));
    const kurvon::ChannelRoles roles = kurvon::RecogniseRoles(names);
    if (!roles[kurvon::Role::Current].channel || !roles[kurvon::Role::Voltage].channel ||
        !roles[kurvon::Role::Time].channel) {
        std::fprintf(stderr, "%s: no current, voltage and time channels\n", path.c_str());
        return 1;
    }

    // The floor: one pass over the three channels the table reads.
    double sink = 0;
    const double pass = MedianSeconds(runs, [&] {
        double sum = 0;
        for (kurvon::Role role :
             {kurvon::Role::Current, kurvon::Role::Voltage, kurvon::Role::Time}) {
            const float* column = data.Channel(*roles[role].channel);
            for (std::uint32_t r = 0; r < data.recordCount; ++r)
                sum += column[r];
        }
        sink += sum;
    });
    std::size_t cycles = 0;
    double seconds[2];
    for (unsigned blocks : {1u, 2u}) {
        kurvon::CycleOptions options;
        options.blocks = blocks;
        seconds[blocks - 1] = MedianSeconds(
            runs, [&] { cycles = kurvon::ComputeCycleTable(data, roles, options).cycles.size(); });
    }
    std::printf("file              %s\n", path.c_str());
    std::printf("records           %u\n", data.recordCount);
    std::printf("cycles            %zu (from the current)\n", cycles);
    std::printf("runs              %d, medians below\n", runs);
    std::printf("one pass (3 ch)   %.4f s\n", pass);
    std::printf("table, 1 thread   %.4f s\n", seconds[0]);
    std::printf("table, 2 threads  %.4f s (goal 0.1 s)%s\n", seconds[1], sink == 0.5 ? " " : "");
    return 0;
}
