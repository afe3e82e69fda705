#include "app/CKurvonView.h"

#include "app/CheckBoxPoll.h"
#include "app/CommandActions.h"
#include "chart/ChartGeometry.h"
#include "chart/CycleOverlay.h"
#include "chart/DragSelection.h"
#include "controls/CColorListCtrl.h"
#include "controls/CCycleTablePanel.h"
#include "controls/CMainStatusBar.h"

#include <QAction>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimerEvent>
#include <QWheelEvent>

namespace kurvon {

CKurvonView::CKurvonView(std::unique_ptr<Prompts> prompts, QWidget* parent)
    : QWidget(parent), m_pPrompts(std::move(prompts)) {
    // The white brush of the view: background of the view and its controls.
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);

    // Hidden until the initial update shows it.
    m_pChannelList = new CColorListCtrl(this);
    m_pChannelList->hide();
    connect(m_pChannelList, &CColorListCtrl::RowDoubleClicked, this,
            [this](int) { OnDblclkChannelList(); });
    connect(m_pChannelList, &CColorListCtrl::RowContextMenu, this,
            [this](int row, const QPoint& at) { ChannelMenu(row)->popup(at); });
}

CKurvonView::~CKurvonView() {
    // No loader or follower may outlive the view it reports to, nor a cycle job the data it reads.
    m_follow.Stop(false);
    m_load.CancelAndJoin();
    m_cycleJob.CancelAndJoin();
}

QSize CKurvonView::sizeHint() const {
    // The form's size: 564 x 289 dialog units of a 9-point font.
    return QSize(846, 434);
}

void CKurvonView::OnInitialUpdate(CommandActions* actions) {
    m_pActions = actions;
    m_bLayoutReady = true;
    m_state.dataLoaded = false;
    m_state.dragInProgress = false;
    m_state.dragStartX = 0;
    m_state.dragEndX = 0;
    m_pChannelList->show();
    setAcceptDrops(true);
    m_state.visible.Clear();
    m_pStatusBar = window()->findChild<CMainStatusBar*>();
    m_pCyclePanel = window()->findChild<CCycleTablePanel*>();
    if (m_pCyclePanel)
        connect(m_pCyclePanel, &CCycleTablePanel::CycleActivated, this,
                &CKurvonView::OnCycleActivated);
    m_state.loading = false;
    if (m_pActions)
        m_pActions->Action(ID_FOLLOW_FILE)->setChecked(m_bFollow);
    LayoutChannelList();
    UpdateCommandStates();
}

QRect CKurvonView::ChartRect() const {
    return QRect(0, 0, std::max(0, width() - kListStripWidth), height());
}

void CKurvonView::LayoutChannelList() {
    if (!m_bLayoutReady)
        return;
    // The list covers the strip at the right edge from the top to one pixel below the bottom.
    m_pChannelList->setGeometry(width() - kListStripWidth, 0, kListStripWidth, height() + 1);
}

void CKurvonView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayoutChannelList();
}

void CKurvonView::paintEvent(QPaintEvent*) {
    const bool painted =
        OverlayActive(m_state)
            ? m_overlayCache.Paint(m_surface, m_state, width(), height(), 0xFFFFFF, m_curveMode)
            : m_paintCache.Paint(m_surface, m_state, width(), height(), 0xFFFFFF, m_curveMode);
    if (!painted)
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, m_surface.View());
}

void CKurvonView::RepaintChart() {
    update(ChartRect());
}

void CKurvonView::mousePressEvent(QMouseEvent* event) {
    // The overlay shows no view window to select records from.
    if (event->button() != Qt::LeftButton || OverlayActive(m_state)) {
        QWidget::mousePressEvent(event);
        return;
    }
    const int chartWidth = ChartAreaOfClient(width(), height()).width;
    BeginDrag(m_state, event->position().toPoint().x(), chartWidth);
}

void CKurvonView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    TrackCursor(m_state, p.x(), p.y(), ChartAreaOfClient(width(), height()).width);
    RepaintChart();
}

void CKurvonView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    // The press grabbed the mouse, so a release outside the view still ends the drag here.
    EndDrag(m_state, event->position().toPoint().x(), ChartAreaOfClient(width(), height()).width);
    RepaintChart();
    UpdateCommandStates();
}

void CKurvonView::wheelEvent(QWheelEvent* event) {
    const QPoint p = event->position().toPoint();
    if (!ChartRect().contains(p)) {
        QWidget::wheelEvent(event);
        return;
    }
    const int notches = m_wheelNotches.Add(event->angleDelta().y());
    AfterNavigation(WheelZoom(m_state, notches, p.x(), ChartAreaOfClient(width(), height()).width));
}

void CKurvonView::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CKurvonView::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CKurvonView::dropEvent(QDropEvent* event) {
    event->acceptProposedAction();
    OnDropFiles(event->mimeData()->urls());
}

void CKurvonView::timerEvent(QTimerEvent* event) {
    if (event->timerId() == m_timer.timerId())
        OnTimer();
    else
        QWidget::timerEvent(event);
}

void CKurvonView::OnTimer() {
    const CColorListCtrl* list = m_pChannelList;
    const bool changed = PollCheckBoxes(
        m_state, [list](int row) { return row < list->RowCount() && list->IsChecked(row); });
    if (changed) {
        RepaintChart();
        UpdateCommandStates();
    }
}

} // namespace kurvon
