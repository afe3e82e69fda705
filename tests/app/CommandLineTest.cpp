#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kurvon {
namespace {

std::string WriteTemp(const std::string& name, const std::string& bytes) {
    const auto path = std::filesystem::temp_directory_path() / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
}

TEST(CommandLine, InfoPrintsCountsAndChannels) {
    // Names in GBK ("电压", "电流").
    const std::string path =
        WriteTemp("kurvon_cli_info.kvd", "2012-05-14 cell 3\r\n"
                                         "t \xB5\xE7\xD1\xB9 \xB5\xE7\xC1\xF7\r\n"
                                         "0 12.60 -1.50\r\n"
                                         "1 12.55 -1.5\r\n"
                                         "2 12.5V 1e-1\r\n");
    std::ostringstream out, err;
    EXPECT_EQ(RunInfoCommand(path, out, err), 0);
    EXPECT_EQ(out.str(), "channels: 3\n"
                         "records: 3\n"
                         "zoom step: 0\n"
                         "0\tt\t0.00\t2.00\n"
                         "1\t电压\t12.50\t12.60\n"
                         "2\t电流\t-1.50\t0.10\n");
    EXPECT_EQ(err.str(), "");
    std::filesystem::remove(path);
}

TEST(CommandLine, Dispatch) {
    std::ostringstream out, err;
    EXPECT_EQ(RunCommandLine({"--version"}, out, err), 0);
    EXPECT_EQ(out.str(), "kurvon 1.0.0\n");

    // The help names every option of --render and the picture types.
    std::ostringstream help;
    EXPECT_EQ(RunCommandLine({"--help"}, help, err), 0);
    for (const char* word : {"--info FILE", "--size WxH", "16384", "--channels", "from 0",
                             "last one", "--window FIRST:LAST", "both included", "--cursor X,Y",
                             "--drag A:B", "--seed N", "--literal", ".png", ".bmp"})
        EXPECT_NE(help.str().find(word), std::string::npos) << word;

    // Usage errors: one reason first, then the usage.
    const std::pair<std::vector<std::string>, const char*> wrong[] = {
        {{"--info"}, "--info needs exactly one file"},
        {{"--info", "a.kvd", "--size", "10x10"}, "--size is an option of --render, not of --info"},
        {{"a.kvd", "--literal"}, "--literal is an option of --render"},
        {{"--seed", "3", "a.kvd"}, "--seed is an option of --render"},
        {{"--bogus"}, "unknown option --bogus"},
        {{"a.kvd", "b.kvd"}, "give at most one data file"},
    };
    for (const auto& [args, says] : wrong) {
        std::ostringstream usage, usageErr;
        EXPECT_EQ(RunCommandLine(args, usage, usageErr), 2) << says;
        EXPECT_EQ(usageErr.str().rfind(std::string("kurvon: ") + says + "\nUsage:", 0), 0u)
            << usageErr.str();
    }

    // Arguments for the window.
    EXPECT_FALSE(RunCommandLine({}, out, err).has_value());
    EXPECT_FALSE(RunCommandLine({"data.kvd"}, out, err).has_value());
}

} // namespace
} // namespace kurvon
