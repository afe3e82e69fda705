// Following the open file: a writer appends while the view follows, the window and the list
// go with the new records, and a file changed in another way says so and is never mixed in.
#include "AppTestSupport.h"

#include "app/AppTexts.h"
#include "app/CommandLine.h"
#include "chart/Navigation.h"

#include <QRegularExpression>
#include <filesystem>
#include <fstream>
#include <thread>
#include <unistd.h>

namespace kurvon::test {
namespace {

void Append(const QString& path, const std::string& bytes) {
    std::ofstream(path.toStdString(), std::ios::binary | std::ios::app) << bytes;
}

bool WaitForRecords(CKurvonView& view, std::uint32_t count) {
    return QTest::qWaitFor([&] { return view.State().data.recordCount == count; }, 30000);
}

QString FollowText(const RunningApp& app) {
    return app.Frame().StatusBar()->FollowText();
}

TEST(Follow, WriterAppendsWhileTheViewFollows) {
    QTemporaryDir tmp;
    const QString path = WriteDataFile(QDir(tmp.path()), "grow.kvd", 3, 100);
    RunningApp app(path);
    CKurvonView& view = app.View();
    ASSERT_TRUE(WaitForLoad(view));
    EXPECT_TRUE(view.Following() && app.Frame().Action(ID_FOLLOW_FILE)->isChecked());
    EXPECT_EQ(FollowText(app), QStringLiteral("跟随中"));

    // Lines split across writes, written in bursts; the largest value comes last.
    std::thread writer([&] {
        for (int r = 0; r < 2000; ++r) {
            const std::string line = std::to_string(r) + " 0.5 " + std::to_string(r % 10) + "\r\n";
            Append(path, line.substr(0, 3));
            Append(path, line.substr(3));
            if (r % 100 == 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        Append(path, "1 2 1000\r\n");
    });
    const bool arrived = WaitForRecords(view, 2101);
    writer.join();
    ASSERT_TRUE(arrived) << view.State().data.recordCount;
    // The window showed the last record: it grows to keep showing it, from the same first.
    EXPECT_EQ(view.State().firstRecord, 0u);
    EXPECT_EQ(view.State().lastRecord, 2100u);
    EXPECT_EQ(ZoomStep(view.State()), 2101u / 40);
    EXPECT_EQ(view.ChannelList()->topLevelItem(2)->text(CColorListCtrl::kMaxColumn),
              QStringLiteral("1000.00"));
    EXPECT_EQ(view.State().data.maxima[2], 1000.0f);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^跟随中 · \\d\\d:\\d\\d:\\d\\d · \\+\\d+ 条$"))
                    .match(FollowText(app))
                    .hasMatch())
        << FollowText(app).toStdString();

    // Enabling goes by the records there are now: the window ends at the last one, so Back
    // (later records) has nothing to show.
    view.ChannelList()->SetChecked(0, true);
    view.OnTimer();
    EXPECT_FALSE(app.Frame().Action(ID_BACK)->isEnabled());
    // A window elsewhere stays where the user put it.
    view.EditState([](ViewState& s) {
        s.firstRecord = 10;
        s.lastRecord = 50;
    });
    Append(path, "1 2 3\r\n4 5 6\r\n");
    ASSERT_TRUE(WaitForRecords(view, 2103));
    EXPECT_EQ(view.State().firstRecord, 10u);
    EXPECT_EQ(view.State().lastRecord, 50u);
    EXPECT_TRUE(app.Frame().Action(ID_FORWARD)->isEnabled() &&
                app.Frame().Action(ID_BACK)->isEnabled());

    // Half a line waits; switched off, the file counts as finished and the line as a record.
    Append(path, "7 8 9");
    QTest::qWait(1200);
    EXPECT_EQ(view.State().data.recordCount, 2103u);
    app.Frame().Action(ID_FOLLOW_FILE)->trigger();
    EXPECT_FALSE(view.Following() || view.FollowOn());
    EXPECT_EQ(view.State().data.recordCount, 2104u);
    EXPECT_EQ(view.State().data.Value(2, 2103), 9.0f);
    EXPECT_EQ(FollowText(app), QString());
    // Off, growth is not read; on again, it is.
    Append(path, "\r\n1 1 1\r\n");
    QTest::qWait(700);
    EXPECT_EQ(view.State().data.recordCount, 2104u);
    app.Frame().Action(ID_FOLLOW_FILE)->trigger();
    EXPECT_TRUE(view.Following());
    ASSERT_TRUE(WaitForRecords(view, 2105));
}

TEST(Follow, ChangesSayWhatHappened) {
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    const std::string text = "head\r\na b\r\n1 2\r\n3 4\r\n5 6\r\n";
    const struct {
        const char* name;
        std::function<void(const std::string&)> change;
        QString says;
        std::uint32_t records; // afterwards; 0: as before
    } cases[] = {
        {"shrink", [](const std::string& p) { std::filesystem::resize_file(p, 21); },
         msg::FollowReloaded(GrowthKind::Shrunk), 2},
        {"replace",
         [&](const std::string& p) {
             std::ofstream(p + ".new", std::ios::binary) << text + "7 8\r\n";
             std::filesystem::rename(p + ".new", p);
         },
         msg::FollowReloaded(GrowthKind::Replaced), 4},
        {"rewrite",
         [&](const std::string& p) {
             std::ofstream(p, std::ios::binary | std::ios::in) << "head\r\na b\r\n9 9\r\n";
         },
         msg::FollowReloaded(GrowthKind::Rewritten), 3},
        {"delete", [](const std::string& p) { std::filesystem::remove(p); }, msg::FollowGone(), 0},
        {"permission lost",
         [](const std::string& p) {
             std::filesystem::permissions(p, std::filesystem::perms::none);
         },
         msg::FollowUnreadable(), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.records == 0 && c.says == msg::FollowUnreadable() && ::geteuid() == 0)
            continue; // the superuser reads it anyway
        const QString path = WriteBytes(dir, "change.kvd", text);
        RunningApp app(path);
        CKurvonView& view = app.View();
        ASSERT_TRUE(WaitForLoad(view));
        ASSERT_TRUE(view.Following());
        c.change(path.toStdString());
        ASSERT_TRUE(QTest::qWaitFor([&] { return FollowText(app) == c.says; }, 30000))
            << FollowText(app).toStdString();
        ASSERT_TRUE(WaitForLoad(view));
        EXPECT_TRUE(view.State().dataLoaded);
        EXPECT_EQ(view.State().data.recordCount, c.records ? c.records : 3u);
        std::error_code error;
        std::filesystem::permissions(path.toStdString(), std::filesystem::perms::owner_all, error);
    }
}

TEST(Follow, CommandLineSetsIt) {
    const WindowArguments window =
        WindowArgumentsOf({"--no-follow", "a.kvd", "--follow", "--no-follow"});
    EXPECT_EQ(window.file, "a.kvd");
    EXPECT_FALSE(window.follow);
    EXPECT_EQ(RunCli({"a.kvd", "--no-follow"}).code, -1); // meant for the window
}

} // namespace
} // namespace kurvon::test
