// The command line in-process on arbitrary argument vectors: every vector that does not start
// the window ends with 0, 1 or 2, and a failure says why in a line of its own. Everything runs
// in a scratch folder; arguments holding a slash are skipped so nothing is written elsewhere.

#include "app/CommandLine.h"
#include "app/CommandOptions.h"

#include "FuzzCheck.h"
#include "FuzzQt.h"

#include <QApplication>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>

namespace {

// An argument starting with byte 1 is the token its second byte picks: the words the command
// line knows and the files in the scratch folder.
const char* const kTokens[] = {
    "--info",   "--render", "--export", "--version", "--help",    "--size",  "--channels",
    "--window", "--cursor", "--drag",   "--seed",    "--literal", "-h",      "-",
    "data.kvd", "tabs.kvd", "one.kvd",  "empty.kvd", "none.kvd",  "old.bmp", "out.png",
    "out.csv",  "out",      "folder",   "80x40",     "1x1",       "0,1",     "2,0,1",
    "0:3",      "1:2",      "10,10",    "5:70",      "7",         ".",       "out.BMP",
};

const std::pair<const char*, const char*> kFiles[] = {
    {"data.kvd", "rig\r\nt U I\r\n0 3.5 1\r\n1 3.6 -1e3\r\n2 3.7 1\r\n3 3.8 1e39\r\n4 3 0\r\n"},
    {"tabs.kvd", "rig\r\nTest (Sec)\tVolts\r\n1\t3.5\r\n2 x\t4\r\n"},
    {"one.kvd", "rig\r\nt U\r\n1 2\r\n"},
    {"empty.kvd", ""},
    {"old.bmp", "BM"},
};

std::unique_ptr<QTemporaryDir> g_dir;
std::set<std::filesystem::path> g_kept;

std::vector<std::string> ConsumeArguments(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] != 0)
            args.back() += static_cast<char>(data[i]);
        else if (args.size() < 12)
            args.emplace_back();
    }
    for (std::string& arg : args)
        if (arg.size() == 2 && arg[0] == 1)
            arg = kTokens[static_cast<unsigned char>(arg[1]) % std::size(kTokens)];
    return args;
}

// Sizes past this take long to draw and teach nothing new.
bool LargePicture(const std::vector<std::string>& args) {
    bool sized = false;
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        std::pair<int, int> size;
        if (args[i] == "--size" && kurvon::ParsePair(args[i + 1], 'x', size)) {
            if (std::int64_t(size.first) * size.second > 400 * 300)
                return true;
            sized = true;
        }
    }
    return !sized; // the default size is 1000 x 600
}

// A command may have written over one of them (--export OUT data.kvd).
void WriteScratchFiles() {
    const std::filesystem::path dir = g_dir->path().toStdString();
    for (const auto& [name, bytes] : kFiles)
        std::ofstream(dir / name, std::ios::binary | std::ios::trunc) << bytes;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    StartOffscreenApp<QApplication>(argc, argv);
    g_dir = std::make_unique<QTemporaryDir>();
    const std::filesystem::path dir = g_dir->path().toStdString();
    WriteScratchFiles();
    std::filesystem::create_directory(dir / "folder");
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        g_kept.insert(entry.path());
    std::filesystem::current_path(dir);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> args = ConsumeArguments(data, size);
    for (const std::string& arg : args)
        if (arg.find('/') != std::string::npos)
            return -1;
    if (args[0] == "--render" && LargePicture(args))
        return -1;

    std::ostringstream out, err;
    const std::optional<int> code = kurvon::RunCommandLine(args, out, err);
    if (!code)
        return -1; // the window would open
    FUZZ_CHECK(*code == 0 || *code == 1 || *code == 2);
    const std::string message = err.str();
    if (*code != 0)
        FUZZ_CHECK(message.starts_with("kurvon: ") && message.find('\n') != std::string::npos);
    else
        FUZZ_CHECK(message.empty());

    // What a command wrote goes; the scratch files stay as they were made.
    for (const auto& entry : std::filesystem::directory_iterator(g_dir->path().toStdString()))
        if (!g_kept.count(entry.path()))
            std::filesystem::remove_all(entry.path());
    WriteScratchFiles();
    return 0;
}
