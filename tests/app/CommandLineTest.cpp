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

TEST(CommandLine, InfoFailures) {
    std::ostringstream out, err;
    EXPECT_NE(RunInfoCommand("/nonexistent/kurvon/none.kvd", out, err), 0);
    EXPECT_EQ(out.str(), "");
    const std::string message = err.str();
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1);

    const std::string path = WriteTemp("kurvon_cli_one.kvd", "h\r\na b\r\n1 2\r\n");
    std::ostringstream out2, err2;
    EXPECT_NE(RunInfoCommand(path, out2, err2), 0);
    EXPECT_EQ(out2.str(), "");
    EXPECT_NE(err2.str().find("fewer than two"), std::string::npos);
    std::filesystem::remove(path);
}

TEST(CommandLine, Dispatch) {
    std::ostringstream out, err;
    EXPECT_EQ(RunCommandLine({"--version"}, out, err), 0);
    EXPECT_EQ(out.str(), "kurvon 1.0.0\n");

    std::ostringstream help;
    EXPECT_EQ(RunCommandLine({"--help"}, help, err), 0);
    EXPECT_NE(help.str().find("--info FILE"), std::string::npos);

    std::ostringstream usage, usageErr;
    EXPECT_EQ(RunCommandLine({"--info"}, usage, usageErr), 2);
    EXPECT_FALSE(usageErr.str().empty());

    // Arguments for the window.
    EXPECT_FALSE(RunCommandLine({}, out, err).has_value());
    EXPECT_FALSE(RunCommandLine({"data.kvd"}, out, err).has_value());
}

} // namespace
} // namespace kurvon
