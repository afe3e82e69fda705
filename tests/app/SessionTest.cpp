// A whole session on the example file: open, tick, navigate by keys and wheel, drag, read,
// recolour, save the picture and clear, with the enabled commands checked after each step.
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

using W = std::pair<std::uint32_t, std::uint32_t>;
W Window(const CKurvonView& view) {
    return {view.State().firstRecord, view.State().lastRecord};
}

void Wheel(QWidget* target, QPoint at, int delta) {
    QWheelEvent event(QPointF(at), QPointF(target->mapToGlobal(at)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
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
    EXPECT_EQ(EnabledCommands(frame), "00000000"); // Open is refused while loading
    ASSERT_TRUE(WaitForLoad(view));
    ASSERT_TRUE(view.State().dataLoaded);
    EXPECT_TRUE(progress->isHidden());
    EXPECT_TRUE(view.TimerRunning());
    EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
    for (int milestone : {15, 95, 99, 100})
        EXPECT_TRUE(positions.contains(milestone)) << milestone;
    EXPECT_EQ(EnabledCommands(frame), "11000000");

    const DataSet& data = view.State().data;
    CColorListCtrl* list = view.ChannelList();
    ASSERT_GE(data.channelCount, 4u);
    ASSERT_EQ(list->RowCount(), static_cast<int>(data.channelCount));
    for (int row = 0; row < list->RowCount(); ++row)
        EXPECT_EQ(list->CellBackground(row, CColorListCtrl::kColorColumn),
                  ToQColor(data.colors[static_cast<std::size_t>(row)]));
    const std::uint32_t records = data.recordCount;
    EXPECT_EQ(Window(view), W(0, records - 1));

    // Tick two channels in separate polls: the later one is primary.
    list->SetChecked(1, true);
    view.OnTimer();
    list->SetChecked(3, true);
    view.OnTimer();
    EXPECT_EQ(view.State().visible.Primary(), 3);
    EXPECT_EQ(view.State().visible.Secondary(), 1);
    EXPECT_EQ(EnabledCommands(frame), "11100100");
    QImage chart = view.grab(view.ChartRect()).toImage();
    EXPECT_TRUE(HasColouredPixel(chart, QRect(61, 11, chart.width() - 122, chart.height() - 32)));

    // Keys, with the focus in the channel list.
    list->setFocus();
    const std::uint32_t z = view.State().zoomStep;
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(Window(view), W(z, records - 1 - z));
    EXPECT_EQ(EnabledCommands(frame), "11111111");
    const std::uint32_t zoomedSpan = records - 1 - 2 * z;
    QTest::keyClick(list, Qt::Key_Left); // Back: later records, same span
    const W back = Window(view);
    EXPECT_GT(back.first, z);
    EXPECT_EQ(back.second - back.first, zoomedSpan);
    QTest::keyClick(list, Qt::Key_Right); // Forward: earlier records, same span
    EXPECT_LT(Window(view).first, back.first);
    EXPECT_EQ(Window(view).second - Window(view).first, zoomedSpan);
    QTest::keyClick(list, Qt::Key_F1);
    EXPECT_EQ(Window(view), W(0, records - 1));

    // The wheel zooms over the chart, not over the list.
    const int chartWidth = view.ChartRect().width();
    Wheel(list->viewport(), {20, 20}, 120);
    EXPECT_EQ(Window(view), W(0, records - 1));
    Wheel(&view, {chartWidth - 60, 100}, 120); // the last record stays under the pointer
    EXPECT_EQ(Window(view), W(2 * z, records - 1));

    // Drag a range from x = 200 to x = 500.
    const W before = Window(view);
    QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(200, 300));
    QTest::mouseMove(&view, QPoint(350, 300));
    EXPECT_TRUE(view.State().dragInProgress);
    QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(500, 300));
    EXPECT_FALSE(view.State().dragInProgress);
    const std::uint32_t span = before.second - before.first;
    EXPECT_EQ(Window(view), W(RecordAtX(200, before.first, span, chartWidth),
                              RecordAtX(500, before.first, span, chartWidth)));

    // The readout follows the mouse: the primary's value and name above-right of the cursor.
    QTest::mouseMove(&view, QPoint(400, 250));
    const QImage at400 = view.grab(view.ChartRect()).toImage();
    EXPECT_EQ(at400.pixelColor(400, 150), QColor(Qt::black)); // crosshair
    const QColor primary = ToQColor(data.colors[3]);
    bool readout = false;
    for (int y = 232; y < 248 && !readout; ++y)
        for (int x = 404; x < 480 && !readout; ++x)
            readout = at400.pixelColor(x, y) == primary;
    EXPECT_TRUE(readout);

    // Recolour channel 2 by double-clicking its row.
    const QRect rowRect = list->visualItemRect(list->topLevelItem(2));
    app.script->colorAnswers.push_back(QColor(10, 200, 30));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowRect.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rowRect.center());
    EXPECT_EQ(data.colors[2], MakeColorRef(10, 200, 30));
    EXPECT_EQ(list->CellBackground(2, CColorListCtrl::kColorColumn), QColor(10, 200, 30));

    // Save: the file holds exactly what the view showed, list included.
    view.update();
    QApplication::processEvents();
    const QImage shown = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    app.script->pictureAnswers.push_back(dir.filePath("picture"));
    QTest::keyClick(list, Qt::Key_S, Qt::ControlModifier);
    const QImage saved(dir.filePath("picture.bmp"), "BMP");
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), shown);
    EXPECT_TRUE(app.script->appMessages.isEmpty());

    // Clear.
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_FALSE(view.State().dataLoaded);
    EXPECT_EQ(list->RowCount(), 0);
    EXPECT_EQ(Window(view), W(0, 0));
    EXPECT_EQ(EnabledCommands(frame), "10000000");
    chart = view.grab(view.ChartRect()).toImage();
    EXPECT_FALSE(HasColouredPixel(chart, chart.rect()));
}

TEST(Session, SavePictureCancelFailureAndPng) {
    QTemporaryDir dir;
    RunningApp app;
    CKurvonView& view = app.View();
    view.OpenDataFile(WriteDataFile(QDir(dir.path()), "save.kvd", 2, 50));
    ASSERT_TRUE(WaitForLoad(view));
    view.ChannelList()->SetChecked(0, true);
    view.OnTimer();

    view.OnSavePicture(); // cancelled: nothing written, nothing said
    EXPECT_EQ(app.script->pictureAsked, 1);
    EXPECT_TRUE(app.script->appMessages.isEmpty());

    // The chosen filter decides the format; a folder that does not exist is reported.
    app.script->pictureAnswers = {dir.filePath("shot"), dir.filePath("missing/picture.png")};
    app.script->pictureFilters = {PictureFormat::Png, PictureFormat::Png};
    view.OnSavePicture();
    QImageReader reader(dir.filePath("shot.png"));
    reader.setDecideFormatFromContent(true);
    EXPECT_EQ(reader.format(), QByteArray("png"));
    view.OnSavePicture();
    EXPECT_EQ(app.script->appMessages, QStringList({QStringLiteral("保存图片失败!")}));
}

} // namespace
} // namespace kurvon::test
