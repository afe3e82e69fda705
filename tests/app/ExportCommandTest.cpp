#include "AppTestSupport.h"

#include "app/CommandLine.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

namespace kurvon {
namespace {

// A minimal RFC 4180 reader: rows of fields, CR LF ends a row outside quotes.
std::vector<std::vector<std::string>> ReadCsv(const std::string& text) {
    std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        std::string& field = rows.back().back();
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
                field.push_back(text[++i]);
            else if (c == '"')
                quoted = false;
            else
                field.push_back(c);
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            rows.back().emplace_back();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
            rows.emplace_back(1);
        } else {
            field.push_back(c);
        }
    }
    if (rows.back().size() == 1 && rows.back()[0].empty())
        rows.pop_back();
    return rows;
}

std::uint32_t Bits(float v) {
    std::uint32_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

struct Exported {
    int status = 0;
    std::string out, err;
};

Exported Export(std::vector<std::string> args) {
    args.insert(args.begin(), "--export");
    std::ostringstream out, err;
    Exported e;
    e.status = *RunCommandLine(args, out, err);
    e.out = out.str();
    e.err = err.str();
    return e;
}

std::string Read(const std::string& path) {
    return test::ReadBytes(QString::fromStdString(path)).toStdString();
}

class ExportCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Awkward names (a comma, a quote) and values that test the shortest round trip:
        // 0.1, a denormal, the largest float, values beyond it (infinities), -0.
        const std::string text = "header\r\n"
                                 "t a,b say\"hi\" v\r\n"
                                 "0 0.1 1e-45 3.4028235e38\r\n"
                                 "1 -0 1e39 -1e39\r\n"
                                 "2 123456789 0.3333333333 2.5\r\n"
                                 "3 4 5 6\r\n";
        data = Write("in.kvd", text);
    }
    std::string Path(const char* name) const { return dir.filePath(name).toStdString(); }
    std::string Write(const char* name, const std::string& bytes) const {
        return test::WriteBytes(QDir(dir.path()), name, bytes).toStdString();
    }

    QTemporaryDir dir;
    std::string data;
};

TEST_F(ExportCommandTest, ValuesReadBackBitForBitWithNamesAndSelection) {
    LoadResult loaded;
    ASSERT_EQ(LoadForCommand(data, loaded), "");
    const std::string out = Path("all.csv");
    const Exported e = Export({out, data});
    ASSERT_EQ(e.status, 0) << e.err;
    const std::string text = Read(out);
    ASSERT_EQ(text.substr(0, 3), "\xEF\xBB\xBF");
    const auto rows = ReadCsv(text.substr(3));
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"record", "t", "a,b", "say\"hi\"", "v"}));
    EXPECT_EQ(rows[2][3], "inf");
    EXPECT_EQ(rows[2][4], "-inf");
    for (std::uint32_t r = 0; r < 4; ++r) {
        ASSERT_EQ(rows[r + 1].size(), 5u);
        EXPECT_EQ(rows[r + 1][0], std::to_string(r));
        for (std::uint32_t c = 0; c < 4; ++c) {
            const float back = std::strtof(rows[r + 1][c + 1].c_str(), nullptr);
            EXPECT_EQ(Bits(back), Bits(loaded.data.Value(c, r))) << rows[r + 1][c + 1];
        }
    }

    // A window and channels in the order given, to standard output without the mark.
    const Exported part = Export({"-", data, "--channels", "3,1", "--window", "1:2"});
    ASSERT_EQ(part.status, 0) << part.err;
    EXPECT_EQ(part.out, "record,v,\"a,b\"\r\n1,-inf,-0\r\n2,2.5,123456792\r\n");

    // GBK names come out as UTF-8 ("流" makes the line GBK).
    const std::string gbk =
        Write("gbk.kvd", "h\r\n\xCA\xB1 \xD1\xB9 \xC1\xF7\r\n1 2 0\r\n3 4 0\r\n");
    EXPECT_EQ(Export({"-", gbk}).out, "record,时,压,流\r\n0,1,2,0\r\n1,3,4,0\r\n");
}

// Each failure: its exit status, one line naming the problem, and the old target untouched.
TEST_F(ExportCommandTest, FailuresSayWhyAndLeaveTheTargetIntact) {
    const std::string old = Write("old.csv", "keep me");
    QDir(dir.path()).mkdir(QStringLiteral("folder"));
    const struct {
        std::vector<std::string> args;
        int status;
        const char* says;
    } cases[] = {
        {{old, Path("missing.kvd")}, 1, "cannot open"},
        {{old, data, "--window", "3:2"}, 2, "FIRST < LAST <= 3"},
        {{old, data, "--window", "0:4"}, 2, "FIRST < LAST <= 3"},
        {{old, data, "--channels", "4"}, 2, "no channel 4 (the file has 4)"},
        {{old, data, "--channels", "1,x"}, 2, "bad value for --channels"},
        {{old, data, "--size", "10x10"}, 2, "--size is an option of --render, not of --export"},
        {{old, data, "--colour", "1"}, 2, "unknown option --colour for --export"},
        {{old, data, "--window"}, 2, "--window needs a value"},
        {{old}, 2, "needs an output file"},
        {{Path("folder"), data}, 1, "not a regular file"},
        {{Path("nowhere/x.csv"), data}, 1, "cannot write"},
    };
    for (const auto& c : cases) {
        const Exported e = Export(c.args);
        EXPECT_EQ(e.status, c.status) << c.args[0];
        EXPECT_NE(e.err.find(c.says), std::string::npos) << e.err;
        EXPECT_EQ(std::count(e.err.begin(), e.err.end(), '\n'), 1) << e.err;
        EXPECT_EQ(Read(old), "keep me");
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2); // no temporary left behind

    // A link's target is written; the link stays a link.
    const QString link = dir.filePath(QStringLiteral("link.csv"));
    ASSERT_TRUE(QFile::link(QString::fromStdString(old), link));
    ASSERT_EQ(Export({link.toStdString(), data}).status, 0);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(Read(old).substr(3, 6), "record");
}

} // namespace
} // namespace kurvon
