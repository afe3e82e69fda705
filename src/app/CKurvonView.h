#pragma once
// The main view: the chart area on the left, painted by the renderer, and the channel list in
// the 300-pixel strip on the right. It owns the view state and does the view's commands; the
// rules live in src/chart, src/data and the command table, this class only dispatches and
// repaints.

#include "analysis/ChannelRoles.h"
#include "analysis/CycleChoice.h"
#include "analysis/CycleTable.h"
#include "app/CycleJob.h"
#include "app/FollowJob.h"
#include "app/LoadJob.h"
#include "app/Prompts.h"
#include "chart/ChartPaintCache.h"
#include "chart/CycleOverlayRenderer.h"
#include "chart/ViewState.h"
#include "chart/WheelZoom.h"
#include "data/DataGrowth.h"
#include "platform/RasterSurface.h"

#include <QBasicTimer>
#include <QWidget>

class QFileSystemWatcher;
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QMenu;

namespace kurvon {

class CColorListCtrl;
class CCycleTablePanel;
class CMainStatusBar;
class CommandActions;

class CKurvonView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTimerPeriodMs = 500;

    CKurvonView(std::unique_ptr<Prompts> prompts, QWidget* parent = nullptr);
    ~CKurvonView() override;

    // Called once the frame and its bars exist; finds the frame's status bar.
    void OnInitialUpdate(CommandActions* actions);

    // Commands.
    void OnOpenDataFile();
    void OnClear();
    void OnSavePicture();
    void OnBack();
    void OnForward();
    void OnZoomIn();
    void OnZoomOut();
    void OnShowAll();
    void OnRecordAxis(); // the x axis back to record numbers

    // The x axis from a channel (-1: record numbers), while a data set is loaded and no load
    // runs; the list marks its row.
    void SetXChannel(int channel);
    // The channel list's context menu for a row ("设为横轴"), parented to the list.
    QMenu* ChannelMenu(int row);
    void OnPreviousCycle();
    void OnNextCycle();
    void OnChannelRoles();
    // A row of the cycle table was clicked: its cycle is shown.
    void OnCycleActivated(std::size_t cycle);
    // Efficiencies as charge over discharge; the table is computed again.
    void SetInverseEfficiency(bool inverse);
    // One role's channel (-1: none) and unit (none: the one its name gives, else the role's
    // default), as the channel list's "通道角色" submenu sets them; the table is computed again.
    void SetChannelRole(Role role, int channel, std::optional<Unit> unit = std::nullopt);
    // Cycles drawn on top of each other against the x channel: asks for the choice; ends it;
    // each cycle's x from its start. ShowOverlay is false (nothing changes) when none of the
    // chosen cycles exists or the overlay cannot be shown.
    void OnOverlayCycles();
    void OnEndOverlay();
    void SetOverlayRelative(bool relative);
    bool ShowOverlay(const CycleChoice& choice);

    // Timer 1: polls the check boxes.
    void OnTimer();
    void OnDblclkChannelList();
    void OnDropFiles(const QList<QUrl>& urls);

    // Loads a path as if it had been chosen with Open.
    void OpenDataFile(const QString& path);
    // Stops a running load and waits for its thread (window closing).
    void CancelLoad();

    // Following the open file as it grows (文件 > 跟随文件, --follow / --no-follow); on from
    // the start. Switched off, a held-back last line counts as a record.
    void SetFollow(bool on);
    bool FollowOn() const { return m_bFollow; }
    bool Following() const { return m_follow.Running(); }

    // Sets every command's enabled state from the enabling rules.
    void UpdateCommandStates();

    // Scripted pictures (kurvon --render): a fixed colour seed for the next loads, and a direct
    // edit of the view window, cursor and drag state followed by a repaint.
    void SetColorSeed(std::optional<std::uint32_t> seed) { m_colorSeed = seed; }
    void EditState(const std::function<void(ViewState&)>& edit);
    // The reference drawing, one segment per record (kurvon --render --literal).
    void SetCurveMode(CurveMode mode) { m_curveMode = mode; }

    const ViewState& State() const { return m_state; }
    CColorListCtrl* ChannelList() const { return m_pChannelList; }
    CMainStatusBar* StatusBar() const { return m_pStatusBar; }
    QRect ChartRect() const;
    bool TimerRunning() const { return m_timer.isActive(); }
    bool LoadRunning() const { return m_load.Running(); }
    bool CyclesRunning() const { return m_cycleJob.Running(); }
    // The roles in use: recognised at each load, changed with the roles dialog.
    const ChannelRoles& Roles() const { return m_roles; }
    // How the last load ended; nothing while it runs or when its thread could not start.
    std::optional<LoadStatus> LastLoadStatus() const { return m_lastLoadStatus; }
    QSize sizeHint() const override;

signals:
    // A load ended (any outcome) and its hand-over is done.
    void LoadFinished();
    // A cycle table was computed and handed to the panel and the cycle commands.
    void CyclesFinished();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void LayoutChannelList();
    bool StartLoad(const std::string& path);
    void OnLoadShow();
    void OnLoadPosition(int position);
    void OnLoadDone(LoadResult& result);
    void FillChannelList(const LoadResult& result);
    void RefreshChannelColors();
    void RepaintChart();
    void AfterNavigation(bool acted);
    void StartFollowing();
    void StopFollowing(bool settle);
    void AbandonFollowing(); // stopped for good: only a reload follows the file again
    void OnGrowth(Growth& growth);
    void TakeGrowth(const Growth& growth);
    void ShowFollowText(const QString& text);
    void StartCycles();
    void StopCycles();
    void ResumeCycles();
    void OnCyclesDone(CycleTable* table); // null: memory ran out
    void UpdateCycleStatus();
    void AddRoleMenu(QMenu* menu, int row);

    ViewState m_state;
    std::unique_ptr<Prompts> m_pPrompts;
    CColorListCtrl* m_pChannelList = nullptr;
    CMainStatusBar* m_pStatusBar = nullptr;
    CommandActions* m_pActions = nullptr;
    bool m_bLayoutReady = false;
    QBasicTimer m_timer; // timer 1
    RasterSurface m_surface;
    ChartPaintCache m_paintCache;
    OverlayPaintCache m_overlayCache;
    CurveMode m_curveMode = CurveMode::ByColumn;
    LoadJob m_load;
    std::optional<LoadStatus> m_lastLoadStatus;
    WheelNotches m_wheelNotches;
    std::optional<std::uint32_t> m_colorSeed; // the calendar time when unset
    bool m_bFollow = true;
    FollowJob m_follow;
    GrowingData m_growing;                    // extremes to go on from, on the UI thread
    std::optional<FollowPoint> m_followPoint; // where following goes on from
    QFileSystemWatcher* m_pWatcher = nullptr;
    QString m_reloadNote;                      // why the file is being read again
    CCycleTablePanel* m_pCyclePanel = nullptr; // the frame's, when there is one
    CycleJob m_cycleJob;                       // reads m_state.data: joined before it changes
    ChannelRoles m_roles;
    CycleOptions m_cycleOptions;
    std::optional<std::size_t> m_markedCycle; // the row the panel marks
};

} // namespace kurvon
