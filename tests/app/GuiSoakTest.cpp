// A long random session of seeded actions on the window, its invariants checked after every
// one; tests/README.md tells how to run and replay it.
#include "AppTestSupport.h"

#include "app/AppTexts.h"
#include "chart/ChartRenderer.h"
#include "chart/Navigation.h"
#include "controls/CMainToolBar.h"
#include "controls/ColorRefQt.h"

#include <QHeaderView>
#include <QKeySequence>
#include <QMouseEvent>
#include <QThread>
#include <QWheelEvent>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <random>

namespace kurvon::test {
namespace {

constexpr QRgb kUntouched = 0xFF123457; // a colour the chart never paints over the strip
constexpr CommandId kNone = CommandId(0);

// clang-format off
// Each key and its command (none for a shifted "=" or "-"); Ctrl+O's dialog is cancelled.
const std::pair<QKeyCombination, CommandId> kKeys[] = {
    {Qt::Key_Up, ID_ZOOM_IN}, {Qt::Key_Equal, ID_ZOOM_IN}, {Qt::Key_Down, ID_ZOOM_OUT},
    {Qt::Key_Minus, ID_ZOOM_OUT}, {Qt::Key_Left, ID_BACK}, {Qt::Key_Right, ID_FORWARD},
    {Qt::Key_F1, ID_SHOW_ALL}, {Qt::Key_Delete, ID_CLEAR}, {Qt::CTRL | Qt::Key_O, ID_OPEN},
    {Qt::SHIFT | Qt::Key_Plus, kNone}, {Qt::SHIFT | Qt::Key_Equal, kNone},
    {Qt::SHIFT | Qt::Key_Underscore, kNone}, {Qt::SHIFT | Qt::Key_Minus, kNone}};
// What each navigation command does to the view window.
const std::map<CommandId, bool (*)(ViewState&)> kMoves = {
    {ID_BACK, NavigateBack}, {ID_FORWARD, NavigateForward}, {ID_ZOOM_IN, ZoomIn},
    {ID_ZOOM_OUT, ZoomOut}, {ID_SHOW_ALL, ShowAll}};
// clang-format on

std::uint64_t EnvNumber(const char* name, std::uint64_t fallback) {
    bool ok = false;
    const qulonglong value = qEnvironmentVariable(name).toULongLong(&ok);
    return ok ? value : fallback;
}

class Soak {
public:
    explicit Soak(std::uint64_t seed) : m_seed(seed), m_rng(seed) {
        const QDir dir(m_dir.path());
        // clang-format off
        m_files = {WriteDataFile(dir, "two.kvd", 1, 2), WriteDataFile(dir, "thirty.kvd", 3, 30),
            WriteDataFile(dir, "thousand.kvd", 4, 1000), WriteDataFile(dir, "wide.kvd", 40, 300),
            WriteBytes(dir, "odd.kvd", "odd\r\na b c\r\n1 1e39 nan\r\n1 -1e39 5\r\n1 inf x\r\n"),
            WriteBytes(dir, "flat.kvd", "flat\r\na\r\n3.4e38\r\n3.4e38\r\n-3.4e38\r\n"),
            WriteBytes(dir, "empty.kvd", ""), WriteBytes(dir, "header.kvd", "header\r\n"),
            WriteBytes(dir, "notes.txt", "notes\r\nx y\r\n1 2\r\n3 4\r\n"),
            WriteDataFile(dir, "upper.KVD", 2, 10), // letter case counts
            dir.filePath("absent.kvd"), dir.path(),
            dir.filePath("broken.kvd")}; // random bytes, new for each load
        // clang-format on
        const QDir shared(QStringLiteral(KURVON_SHARED_DATA_DIR));
        for (const QString& name : shared.entryList({QStringLiteral("*.kvd")}, QDir::Files))
            m_files << shared.filePath(name) << shared.filePath(name); // twice as likely
        m_big = WriteDataFile(dir, "big.kvd", 6, 40000);
        NewWindow();
    }

    void Run(std::uint64_t count) {
        std::string trail; // the actions so far, for the failure report
        for (std::uint64_t i = 0; i < count; ++i) {
            trail += std::string(" ") + Step();
            if (::testing::Test::HasFailure()) {
                ADD_FAILURE() << "soak failed at action " << i
                              << "; replay with KURVON_SOAK_SEED=" << m_seed
                              << " KURVON_SOAK_ACTIONS=" << i + 1 << "; the last actions:"
                              << trail.substr(trail.size() > 160 ? trail.size() - 160 : 0);
                break;
            }
        }
        std::cout << "soak: seed " << m_seed << ", " << count << " actions:";
        for (const auto& [name, n] : m_counts)
            std::cout << ' ' << name << ' ' << n;
        std::cout << '\n';
    }

private:
    struct Action {
        int weight;
        const char* name;
        void (Soak::*run)();
    };
    static const Action kActions[12];

    CMainFrame& Frame() const { return m_app->Frame(); }
    CKurvonView& View() const { return m_app->View(); }
    const ViewState& State() const { return View().State(); }
    CColorListCtrl* List() const { return View().ChannelList(); }
    ScriptedPrompts& Said() const { return *m_app->script; }
    int Pick(int n) { return n > 0 ? static_cast<int>(m_rng() % static_cast<unsigned>(n)) : 0; }
    QPoint ChartPoint() { return {Pick(View().ChartRect().width()), Pick(View().height())}; }
    QPoint AnyPoint() { return {Pick(View().width() + 100) - 50, Pick(View().height() + 60) - 30}; }
    auto Window() const { return std::make_pair(State().firstRecord, State().lastRecord); }

    void NewWindow() {
        m_app.reset(); // one window at a time
        m_app = std::make_unique<RunningApp>();
        for (const CommandInfo& info : AllCommands()) {
            QAction* action = Frame().Action(info.id);
            QObject::connect(action, &QAction::triggered, action,
                             [this, id = info.id] { ++m_fired[id]; });
        }
        Frame().resize(800 + Pick(400), 500 + Pick(300));
        ASSERT_TRUE(m_app->Activate());
        m_loadMessages.clear();
    }

    const char* Step() {
        const bool loading = State().loading;
        int total = 0;
        for (const Action& a : kActions)
            total += a.weight;
        static const Action await{0, "await", &Soak::AwaitLoad};
        const Action* action = loading && Pick(3) == 0 ? &await : nullptr;
        while (!action) {
            int at = Pick(total);
            const Action* a = kActions;
            while ((at -= a->weight) >= 0)
                ++a;
            // Resizing runs the event loop, which would see a running load through.
            action = loading && a->run == &Soak::Resize ? nullptr : a;
        }
        ++m_counts[action->name];
        m_messages.clear();
        m_notices.clear();
        (this->*action->run)();
        if (loading && !State().loading)
            m_messages += m_loadMessages;
        EXPECT_EQ(Said().appMessages.join('|').toStdString(), m_messages.join('|').toStdString());
        EXPECT_EQ(Said().notices.join('|').toStdString(), m_notices.join('|').toStdString());
        Said().appMessages.clear();
        Said().notices.clear();
        CheckInvariants();
        return action->name;
    }

    void CheckInvariants() {
        const ViewState& s = State();
        if (s.dataLoaded) {
            ASSERT_GE(s.data.recordCount, 2u);
            EXPECT_LT(s.firstRecord, s.lastRecord);
            EXPECT_LE(s.lastRecord, s.data.recordCount - 1);
        }
        // The enabling rules, from the state alone.
        const bool ready = s.dataLoaded && !s.visible.Empty();
        const std::uint32_t lastIndex = s.data.recordCount - 1;
        const bool whole = s.firstRecord == 0 && s.lastRecord == lastIndex;
        // clang-format off
        const std::pair<CommandId, bool> rules[] = {
            {ID_OPEN, !s.loading}, {ID_DATA_POINTS, false}, {ID_CLEAR, s.dataLoaded},
            {ID_SAVE_PICTURE, ready}, {ID_BACK, ready && s.lastRecord != lastIndex},
            {ID_FORWARD, ready && s.firstRecord != 0},
            {ID_ZOOM_IN, ready && s.lastRecord != s.firstRecord + 1},
            {ID_ZOOM_OUT, ready && !whole}, {ID_SHOW_ALL, ready && !whole}};
        // clang-format on
        for (const auto& [id, enabled] : rules)
            EXPECT_EQ(Frame().Action(id)->isEnabled(), enabled) << "command " << id;
        CheckDrawing();
    }

    // The view's own paint (no background, no children) onto a canvas of a colour it never
    // uses: the list strip stays untouched, and the chart area holds what a fresh paint of the
    // current state gives.
    void CheckDrawing() {
        CKurvonView& view = View();
        if (m_canvas.size() != view.size())
            m_canvas = QImage(view.size(), QImage::Format_RGB32);
        m_canvas.fill(kUntouched);
        view.setAttribute(Qt::WA_NoSystemBackground, true);
        view.render(&m_canvas, QPoint(), QRegion(), {});
        view.setAttribute(Qt::WA_NoSystemBackground, false);
        const int chartWidth = view.ChartRect().width();
        const std::vector<QRgb> strip(static_cast<std::size_t>(view.width() - chartWidth),
                                      kUntouched);
        const bool drawn = RenderChart(m_fresh, view.State(), view.width(), view.height());
        const QImage fresh = m_fresh.View();
        for (int y = 0; y < m_canvas.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(m_canvas.constScanLine(y));
            ASSERT_EQ(std::memcmp(line + chartWidth, strip.data(), strip.size() * sizeof(QRgb)), 0)
                << "painted right of the chart area in row " << y;
            ASSERT_TRUE(!drawn || !std::memcmp(line, fresh.constScanLine(y), chartWidth * 4))
                << "the chart area differs from a fresh paint in row " << y;
        }
    }

    // A key, at any child of the window: its command (none for a shifted "=" or "-") fires
    // exactly when enabled and moves the view window as the navigation rules say.
    void PressKey(QKeyCombination key, CommandId id) {
        QWidget* targets[] = {&View(), List(), Frame().ToolBar(), Frame().StatusBar()};
        const bool enabled = id != kNone && Frame().Action(id)->isEnabled();
        const auto move = kMoves.find(id);
        ViewState moved = State();
        if (enabled && move != kMoves.end())
            move->second(moved);
        std::map<int, int> expected = m_fired;
        if (enabled)
            ++expected[id];
        QTest::keyClick(targets[Pick(std::size(targets))], key.key(), key.keyboardModifiers());
        EXPECT_EQ(m_fired, expected) << QKeySequence(key).toString().toStdString();
        EXPECT_TRUE((enabled && move == kMoves.end()) ||
                    Window() == std::make_pair(moved.firstRecord, moved.lastRecord));
    }

    void Key() {
        const auto& [key, id] = kKeys[Pick(std::size(kKeys))];
        PressKey(key, id);
    }

    void SavePicture() {
        const bool good = Pick(3) != 0;
        const PictureFormat format = Pick(2) ? PictureFormat::Bmp : PictureFormat::Png;
        const QString path = m_dir.filePath(QString(good ? "" : "missing/") +
                                            (format == PictureFormat::Bmp ? "a.bmp" : "a.png"));
        const bool answered = Pick(8) != 0;
        QFile::remove(path);
        Said().pictureAnswers = {{answered ? path : QString(), format}};
        const bool enabled = Frame().Action(ID_SAVE_PICTURE)->isEnabled();
        const QSize size = View().size();
        PressKey(Qt::ControlModifier | Qt::Key_S, ID_SAVE_PICTURE);
        if (enabled && answered && !good)
            m_messages << msg::SavePictureFailed();
        EXPECT_TRUE(!(enabled && answered && good) || QImage(path).size() == size);
    }

    // One to three boxes turned over, by Space on the current row or directly, then a poll:
    // the boxes still ticked keep their order, the newly ticked follow in row order.
    void Tick() {
        CColorListCtrl* list = List();
        const VisibleChannelList before = State().visible;
        for (int n = 1 + Pick(3); n > 0 && list->RowCount() > 0; --n) {
            const int row = Pick(list->RowCount());
            if (Pick(2)) {
                list->setCurrentItem(list->topLevelItem(row));
                QTest::keyClick(list, Qt::Key_Space);
            } else {
                list->SetChecked(row, !list->IsChecked(row));
            }
        }
        View().OnTimer();
        const bool polled = State().dataLoaded && !State().loading;
        std::vector<int> expected, visible;
        for (int i = 0; i < before.Size(); ++i)
            if (!polled || list->IsChecked(before.At(i)))
                expected.push_back(before.At(i));
        for (int row = 0; polled && row < list->RowCount(); ++row)
            if (list->IsChecked(row) && before.IndexOf(row) < 0)
                expected.push_back(row);
        for (int i = 0; i < State().visible.Size(); ++i)
            visible.push_back(State().visible.At(i));
        EXPECT_EQ(visible, expected);
    }

    void Click() {
        QTest::mouseClick(&View(), Pick(4) ? Qt::LeftButton : Qt::RightButton, {}, ChartPoint());
    }

    // Qt reports a move to the view while a button is held or when it is over the chart area.
    void SendMove(QPoint at, bool held) {
        if (!held && !View().ChartRect().contains(at))
            return;
        QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(View().mapToGlobal(at)),
                         Qt::NoButton, held ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&View(), &move);
    }

    // From a press in the chart area through a few moves to a release anywhere (over the list,
    // outside the window), or none at all.
    void Drag() {
        QTest::mousePress(&View(), Qt::LeftButton, {}, ChartPoint());
        for (int n = Pick(4); n > 0; --n)
            SendMove(AnyPoint(), true);
        if (Pick(8) != 0)
            QTest::mouseRelease(&View(), Qt::LeftButton, {}, AnyPoint());
    }

    void Move() { SendMove(AnyPoint(), false); }

    // Whole, half and multiple notches either way, over the chart or the list.
    void Wheel() {
        static const int deltas[] = {120, -120, 60, -60, 240, -360};
        const int delta = deltas[Pick(std::size(deltas))];
        const QPoint at = AnyPoint();
        if (!View().rect().contains(at))
            return; // another window's
        QWidget* target = View().ChartRect().contains(at) ? &View() : List()->viewport();
        const QPoint local = target->mapFrom(&View(), at);
        QWheelEvent wheel(QPointF(local), QPointF(target->mapToGlobal(local)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &wheel);
    }

    // Any size, below the minimum too.
    void Resize() {
        Frame().resize(300 + Pick(1300), 200 + Pick(800));
        QApplication::processEvents();
    }

    // A double-click on a row asks for a colour only while a data set is shown; the colour
    // chosen becomes the channel's.
    void Recolour() {
        CColorListCtrl* list = List();
        if (list->RowCount() == 0)
            return;
        const int row = Pick(list->RowCount());
        QTreeWidgetItem* item = list->topLevelItem(row);
        list->scrollToItem(item);
        const QPoint at(list->header()->sectionViewportPosition(CColorListCtrl::kNameColumn) + 10,
                        list->visualItemRect(item).center().y()); // away from the check box
        const QColor colour = Pick(5) ? QColor(Pick(256), Pick(256), Pick(256)) : QColor();
        Said().colorAnswers = {colour};
        const int asked = Said().colorAsked;
        const bool shown = State().dataLoaded && !State().loading;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        EXPECT_EQ(Said().colorAsked - asked, shown ? 1 : 0);
        if (shown && colour.isValid()) {
            EXPECT_EQ(State().data.colors[static_cast<std::size_t>(row)], ToColorRef(colour));
            EXPECT_EQ(list->CellBackground(row, CColorListCtrl::kColorColumn), colour);
        }
    }

    // Opens or drops one of the files (a drop of two: only the first counts); the following
    // actions run while it loads until one awaits it, and Open and drops are refused meanwhile.
    // Broken files are random bytes, biased towards what data lines hold.
    void Load() {
        const bool busy = State().loading, timer = View().TimerRunning();
        const QString path = m_files[Pick(m_files.size())];
        if (!busy && path.endsWith("broken.kvd")) {
            static const char alphabet[] = "0123456789 \t\r\n.-+eE\r\nxN\x1a\xff\xc3";
            std::string bytes(static_cast<std::size_t>(Pick(3000)), ' ');
            for (char& c : bytes)
                c = alphabet[Pick(sizeof alphabet)]; // the final '\0' too
            WriteBytes(QDir(m_dir.path()), "broken.kvd", bytes);
        }
        const bool readable = QFileInfo(path).isFile(), ours = path.endsWith(".kvd");
        const bool dropped = Pick(4) == 0;
        if (dropped) {
            DropOn(View(), {path, m_files[Pick(m_files.size())]}, ChartPoint());
            if (!busy && !readable)
                m_notices << msg::FolderDrop();
            else if (!busy && !ours)
                m_messages << msg::UnsupportedFormat();
        } else {
            Said().openAnswers = {path};
            PressKey(Qt::ControlModifier | Qt::Key_O, ID_OPEN);
            Said().openAnswers.clear();
        }
        // A drop that is no load still starts the timer, unless its name was refused.
        EXPECT_EQ(View().TimerRunning(), busy || (dropped && readable && !ours) ? timer : true);
        EXPECT_EQ(State().loading, busy || !dropped || (readable && ours));
        if (busy)
            return;
        m_loadMessages.clear();
        if (!readable)
            m_loadMessages << msg::FileOpenFailed();
    }

    // Lines appended to the open file (one of ours) arrive while the next actions run; awaited,
    // a window that showed the last record still shows it.
    void Grow() {
        const ViewState& s = State();
        const QString path = QFile::decodeName(s.currentPath.c_str());
        if (!s.dataLoaded || s.loading || !View().Following() || !path.startsWith(m_dir.path()) ||
            path.endsWith("broken.kvd"))
            return;
        const bool showedLast = s.lastRecord + 1 == s.data.recordCount;
        const std::uint32_t before = s.data.recordCount;
        std::string lines;
        for (int n = 1 + Pick(3); n > 0; --n) {
            for (std::uint32_t c = 0; c < s.data.channelCount; ++c)
                lines += std::to_string(Pick(2000) - 1000) + ' ';
            lines += "\r\n";
        }
        std::ofstream(path.toStdString(), std::ios::binary | std::ios::app) << lines;
        if (Pick(2) == 0)
            return;
        ASSERT_TRUE(QTest::qWaitFor([&] { return State().data.recordCount > before; }, 20000));
        EXPECT_EQ(State().lastRecord + 1 == State().data.recordCount, showedLast);
    }

    // The load ends in time; a loaded file shows all its records, unticked.
    void AwaitLoad() {
        ASSERT_TRUE(WaitForLoad(View())) << "the load never ended";
        const ViewState& s = State();
        if (!s.dataLoaded)
            return;
        EXPECT_EQ(Window(), std::make_pair(0u, s.data.recordCount - 1));
        EXPECT_EQ(ZoomStep(s), s.data.recordCount / 40);
        EXPECT_EQ(List()->RowCount(), static_cast<int>(s.data.channelCount));
        for (int row = 0; row < List()->RowCount(); ++row)
            EXPECT_FALSE(List()->IsChecked(row)) << "row " << row;
        Tick(); // mostly a shown curve, so the commands have work to do
    }

    // Closing stops the load and joins its thread, and nothing of the load shows afterwards, not
    // even the report of one that failed just before; the session goes on in a fresh window.
    void CloseDuringLoad() {
        if (!State().loading)
            View().OpenDataFile(Pick(2) ? m_big : m_dir.filePath("absent.kvd"));
        QThread::msleep(Pick(2) * 100); // a quick failure's report waits for the event loop
        Frame().close();
        EXPECT_FALSE(View().LoadRunning());
        QTest::qWait(2 * LoadJob::kCollectPeriodMs);
        EXPECT_TRUE(Said().appMessages.isEmpty()) << "a message after the close";
        NewWindow();
    }

    std::uint64_t m_seed;
    std::mt19937_64 m_rng;
    QTemporaryDir m_dir;
    QStringList m_files;
    QString m_big;
    std::unique_ptr<RunningApp> m_app;
    QImage m_canvas;                     // the view's paint
    RasterSurface m_fresh;               // a paint of the same state from scratch
    std::map<int, int> m_fired;          // triggers per command
    QStringList m_messages, m_notices;   // what the current action may show
    QStringList m_loadMessages;          // what the running load will show when it ends
    std::map<std::string, int> m_counts; // actions run, by name
};

// clang-format off
const Soak::Action Soak::kActions[12] = {
    {30, "key", &Soak::Key}, {4, "save", &Soak::SavePicture}, {12, "tick", &Soak::Tick},
    {5, "click", &Soak::Click}, {8, "drag", &Soak::Drag}, {10, "move", &Soak::Move},
    {8, "wheel", &Soak::Wheel}, {4, "resize", &Soak::Resize}, {5, "recolour", &Soak::Recolour},
    {10, "load", &Soak::Load}, {1, "close", &Soak::CloseDuringLoad}, {4, "grow", &Soak::Grow}};
// clang-format on

TEST(GuiSoak, RandomActionsKeepTheWindowConsistent) {
    Soak soak(EnvNumber("KURVON_SOAK_SEED", 20261207));
    ASSERT_FALSE(::testing::Test::HasFailure());
    soak.Run(EnvNumber("KURVON_SOAK_ACTIONS", 1000));
}

} // namespace
} // namespace kurvon::test
