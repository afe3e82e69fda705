// A whole session on the example file: open, tick, navigate by keys, drag, read, recolour,
// save the picture and clear, with the enabled commands checked after each step.
#include "AppTestSupport.h"

#include "app/Commands.h"
#include "chart/DragSelection.h"
#include "controls/CColorListCtrl.h"
#include "controls/CMainStatusBar.h"
#include "controls/ColorRefQt.h"

#include <QAction>
#include <QApplication>
#include <QImageReader>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace kurvon::test {
namespace {

// The enabled state of Open, Clear, Save, Back, Forward, Zoom in, Zoom out, Show all, as 0/1.
std::string EnabledCommands(const CMainFrame& frame) {
    std::string flags;
    for (CommandId id : {ID_OPEN, ID_CLEAR, ID_SAVE_PICTURE, ID_BACK, ID_FORWARD, ID_ZOOM_IN,
                         ID_ZOOM_OUT, ID_SHOW_ALL})
        flags += frame.Action(id)->isEnabled() ? '1' : '0';
    EXPECT_FALSE(frame.Action(ID_DATA_POINTS)->isEnabled());
    return flags;
}

std::pair<std::uint32_t, std::uint32_t> Window(const CKurvonView& view) {
    return {view.State().firstRecord, view.State().lastRecord};
}

TEST(Session, OpenTickNavigateDragRecolourSaveClear) {
    QTemporaryDir dir;
    QString path = ExampleFile();
    if (path.isEmpty())
        path = WriteDataFile(QDir(dir.path()), "session.kvd", 6, 3000);

    RunningApp app;
    CMainFrame& frame = app.Frame();
    CKurvonView& view = app.View();
    frame.resize(1200, 700);
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    EXPECT_EQ(EnabledCommands(frame), "10000000");

    // Open through the dialog; the progress bar runs through its milestones and goes.
    app.script->openAnswers.push_back(path);
    QProgressBar* progress = frame.StatusBar()->Progress();
    QList<int> positions;
    QObject::connect(progress, &QProgressBar::valueChanged,
                     [&positions](int value) { positions.append(value); });
    QTest::keyClick(&view, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(app.script->openAsked, 1);
    EXPECT_TRUE(view.State().loading);
    EXPECT_EQ(EnabledCommands(frame), "00000000"); // Open is refused while loading
    ASSERT_TRUE(WaitForLoad(view));
    ASSERT_TRUE(view.State().dataLoaded);
    EXPECT_FALSE(view.State().loading);
    EXPECT_TRUE(progress->isHidden());
    EXPECT_TRUE(view.TimerRunning());
    ASSERT_FALSE(positions.isEmpty());
    EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
    for (int milestone : {15, 95, 99})
        EXPECT_TRUE(positions.contains(milestone)) << milestone;
    EXPECT_EQ(positions.last(), 100);
    EXPECT_EQ(EnabledCommands(frame), "11000000");

    const DataSet& data = view.State().data;
    CColorListCtrl* list = view.ChannelList();
    ASSERT_GE(data.channelCount, 4u);
    ASSERT_EQ(list->RowCount(), static_cast<int>(data.channelCount));
    for (int row = 0; row < list->RowCount(); ++row) {
        EXPECT_FALSE(list->IsChecked(row));
        EXPECT_FALSE(list->topLevelItem(row)->text(CColorListCtrl::kNameColumn).isEmpty());
        EXPECT_EQ(list->CellBackground(row, CColorListCtrl::kColorColumn),
                  ToQColor(data.colors[static_cast<std::size_t>(row)]));
    }
    const std::uint32_t records = data.recordCount;
    EXPECT_EQ(Window(view), std::make_pair(0u, records - 1));
    EXPECT_EQ(view.State().zoomStep, records / 40);

    // Tick two channels in separate polls: the later one is primary.
    list->SetChecked(1, true);
    view.OnTimer();
    list->SetChecked(3, true);
    view.OnTimer();
    ASSERT_EQ(view.State().visible.Size(), 2);
    EXPECT_EQ(view.State().visible.Primary(), 3);
    EXPECT_EQ(view.State().visible.Secondary(), 1);
    EXPECT_EQ(EnabledCommands(frame), "11100100");
    QImage chart = view.grab(view.ChartRect()).toImage();
    EXPECT_TRUE(HasColouredPixel(chart, QRect(61, 11, chart.width() - 122, chart.height() - 32)));

    // Keys, with the focus in the channel list.
    list->setFocus();
    const std::uint32_t z = view.State().zoomStep;
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(Window(view), std::make_pair(z, records - 1 - z));
    EXPECT_EQ(EnabledCommands(frame), "11111111");
    QTest::keyClick(list, Qt::Key_Equal);
    EXPECT_EQ(Window(view), std::make_pair(2 * z, records - 1 - 2 * z));
    const auto zoomed = Window(view);
    const std::uint32_t span = zoomed.second - zoomed.first;
    QTest::keyClick(list, Qt::Key_Left); // Back: later records, same span
    const auto back = Window(view);
    EXPECT_GT(back.first, zoomed.first);
    EXPECT_EQ(back.second - back.first, span);
    QTest::keyClick(list, Qt::Key_Right); // Forward: earlier records, same span
    EXPECT_LT(Window(view).first, back.first);
    EXPECT_EQ(Window(view).second - Window(view).first, span);
    const auto beforeOut = Window(view);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(Window(view), std::make_pair(beforeOut.first > z ? beforeOut.first - z : 0u,
                                           std::min(beforeOut.second + z, records - 1)));
    QTest::keyClick(list, Qt::Key_F1);
    EXPECT_EQ(Window(view), std::make_pair(0u, records - 1));
    EXPECT_EQ(EnabledCommands(frame), "11100100");

    // Drag a range from x = 200 to x = 500.
    const int chartWidth = view.ChartRect().width();
    QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(200, 300));
    QTest::mouseMove(&view, QPoint(350, 300));
    EXPECT_TRUE(view.State().dragInProgress);
    QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(500, 300));
    EXPECT_FALSE(view.State().dragInProgress);
    EXPECT_EQ(Window(view), std::make_pair(RecordAtX(200, 0, records - 1, chartWidth),
                                           RecordAtX(500, 0, records - 1, chartWidth)));
    EXPECT_EQ(EnabledCommands(frame), "11111111");

    // The readout follows the mouse.
    QTest::mouseMove(&view, QPoint(300, 200));
    const QImage at300 = view.grab(view.ChartRect()).toImage();
    QTest::mouseMove(&view, QPoint(400, 250));
    const QImage at400 = view.grab(view.ChartRect()).toImage();
    EXPECT_NE(at300, at400);
    EXPECT_EQ(at400.pixelColor(400, 150), QColor(Qt::black)); // crosshair
    const QColor primary = ToQColor(data.colors[3]);
    bool readout = false; // the primary's value and name above-right of the cursor
    for (int y = 232; y < 248 && !readout; ++y)
        for (int x = 404; x < 480 && !readout; ++x)
            readout = at400.pixelColor(x, y) == primary;
    EXPECT_TRUE(readout);

    // Recolour channel 2 by double-clicking its row.
    const QRect rowRect = list->visualItemRect(list->topLevelItem(2));
    app.script->colorAnswers.push_back(QColor(10, 200, 30));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowRect.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rowRect.center());
    EXPECT_EQ(app.script->colorAsked, 1);
    EXPECT_EQ(data.colors[2], MakeColorRef(10, 200, 30));
    EXPECT_EQ(list->CellBackground(2, CColorListCtrl::kColorColumn), QColor(10, 200, 30));
    EXPECT_EQ(list->CellBackground(3, CColorListCtrl::kColorColumn), primary);

    // Save: the file holds exactly what the view showed, list included.
    view.update();
    QApplication::processEvents();
    const QImage shown = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    app.script->pictureAnswers.push_back(dir.filePath("picture"));
    QTest::keyClick(list, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(app.script->pictureAsked, 1);
    const QImage saved(dir.filePath("picture.bmp"), "BMP");
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), shown);
    EXPECT_TRUE(app.script->appMessages.isEmpty());

    // Clear.
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_FALSE(view.State().dataLoaded);
    EXPECT_EQ(list->RowCount(), 0);
    EXPECT_TRUE(view.State().visible.Empty());
    EXPECT_EQ(Window(view), std::make_pair(0u, 0u));
    EXPECT_EQ(view.State().zoomStep, z);
    EXPECT_EQ(EnabledCommands(frame), "10000000");
    chart = view.grab(view.ChartRect()).toImage();
    EXPECT_FALSE(HasColouredPixel(chart, chart.rect()));
}

TEST(Session, SavePictureFailureAndCancel) {
    QTemporaryDir dir;
    RunningApp app;
    CKurvonView& view = app.View();
    view.OpenDataFile(WriteDataFile(QDir(dir.path()), "save.kvd", 2, 50));
    ASSERT_TRUE(WaitForLoad(view));
    view.ChannelList()->SetChecked(0, true);
    view.OnTimer();

    // Cancel: nothing written, nothing said.
    view.OnSavePicture();
    EXPECT_EQ(app.script->pictureAsked, 1);
    EXPECT_TRUE(app.script->appMessages.isEmpty());

    // A folder that does not exist: the failure is reported.
    app.script->pictureAnswers.push_back(dir.filePath("missing/folder/picture.bmp"));
    view.OnSavePicture();
    EXPECT_EQ(app.script->appMessages, QStringList({QStringLiteral("保存图片失败!")}));

    // The suffix rule follows the chosen filter: ".BMP" is not ".bmp", ".bmp" not ".png".
    const struct {
        const char* answer;
        PictureFormat filter;
        const char* saved;
        const char* format;
    } saves[] = {
        {"shot.BMP", PictureFormat::Bmp, "shot.BMP.bmp", "BMP"},
        {"shot", PictureFormat::Png, "shot.png", "PNG"},
        {"shot.bmp", PictureFormat::Png, "shot.bmp.png", "PNG"},
        {"other.png", PictureFormat::Png, "other.png", "PNG"},
    };
    for (const auto& save : saves) {
        app.script->pictureAnswers.push_back(dir.filePath(save.answer));
        app.script->pictureFilters.push_back(save.filter);
        view.OnSavePicture();
        QImageReader reader(dir.filePath(save.saved));
        reader.setDecideFormatFromContent(true);
        EXPECT_EQ(reader.format(), QByteArray(save.format).toLower()) << save.answer;
    }
    // Same pixels in both formats.
    EXPECT_EQ(QImage(dir.filePath("shot.png")).convertToFormat(QImage::Format_RGB32),
              QImage(dir.filePath("shot.BMP.bmp")).convertToFormat(QImage::Format_RGB32));

    // A PNG that cannot be written says the same.
    app.script->pictureAnswers.push_back(dir.filePath("missing/folder/picture.png"));
    app.script->pictureFilters.push_back(PictureFormat::Png);
    view.OnSavePicture();
    EXPECT_EQ(app.script->appMessages.size(), 2);
    EXPECT_EQ(app.script->appMessages.last(), QStringLiteral("保存图片失败!"));
}

TEST(Session, WheelZoomsAroundThePointerOverTheChartOnly) {
    QTemporaryDir dir;
    RunningApp app;
    CMainFrame& frame = app.Frame();
    CKurvonView& view = app.View();
    view.OpenDataFile(WriteDataFile(QDir(dir.path()), "wheel.kvd", 2, 1000)); // zoom step 25
    ASSERT_TRUE(WaitForLoad(view));
    view.ChannelList()->SetChecked(0, true);
    view.OnTimer();
    const auto wheel = [](QWidget* target, QPoint at, int delta) {
        QWheelEvent event(QPointF(at), QPointF(target->mapToGlobal(at)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &event);
    };
    const int frameRight = view.ChartRect().width() - 60;
    using W = std::pair<std::uint32_t, std::uint32_t>;

    // Back a notch on the whole file: Zoom out is disabled, nothing happens.
    wheel(&view, {200, 100}, -120);
    EXPECT_EQ(Window(view), W(0, 999));
    // Forward a notch at the frame's right edge: the last record stays under the pointer.
    wheel(&view, {frameRight, 100}, 120);
    EXPECT_EQ(Window(view), W(50, 999));
    EXPECT_EQ(EnabledCommands(frame), "11101111");
    // Two half notches make one; at the left edge the first record stays.
    wheel(&view, {60, 100}, 60);
    EXPECT_EQ(Window(view), W(50, 999));
    wheel(&view, {60, 100}, 60);
    EXPECT_EQ(Window(view), W(50, 949));
    EXPECT_EQ(EnabledCommands(frame), "11111111");
    // Over the channel list the wheel is the list's: the window stays.
    wheel(view.ChannelList()->viewport(), {20, 20}, -120);
    wheel(&view, {view.ChartRect().width() + 20, 100}, -120);
    EXPECT_EQ(Window(view), W(50, 949));
    // Back a notch at the left edge widens around record 50; the key zooms as before.
    wheel(&view, {60, 100}, -120);
    EXPECT_EQ(Window(view), W(50, 999));
    QTest::keyClick(&view, Qt::Key_Up);
    EXPECT_EQ(Window(view), W(75, 974));
}

TEST(Session, RecolourIgnoredWithoutDataOrWithoutSelection) {
    QTemporaryDir dir;
    RunningApp app;
    CKurvonView& view = app.View();
    view.OpenDataFile(WriteDataFile(QDir(dir.path()), "colour.kvd", 3, 50));
    ASSERT_TRUE(WaitForLoad(view));
    CColorListCtrl* list = view.ChannelList();

    view.OnDblclkChannelList(); // no row selected
    EXPECT_EQ(app.script->colorAsked, 0);

    list->topLevelItem(1)->setSelected(true);
    const ColorRef before = view.State().data.colors[1];
    view.OnDblclkChannelList(); // cancelled
    EXPECT_EQ(app.script->colorAsked, 1);
    EXPECT_EQ(view.State().data.colors[1], before);

    // After a failed load the old rows stay but name no channel: no dialog.
    app.script->openAnswers.push_back(dir.filePath("nothing-here.kvd"));
    view.OnOpenDataFile();
    ASSERT_TRUE(WaitForLoad(view));
    EXPECT_EQ(list->RowCount(), 3);
    list->topLevelItem(1)->setSelected(true);
    view.OnDblclkChannelList();
    EXPECT_EQ(app.script->colorAsked, 1);
}

} // namespace
} // namespace kurvon::test
