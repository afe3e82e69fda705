#include "app/CMainFrame.h"

#include "app/CFadeChartWidget.h"
#include "app/CKurvonView.h"
#include "controls/CCycleTablePanel.h"
#include "controls/CMainStatusBar.h"
#include "controls/CMainToolBar.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>

namespace kurvon {

CMainFrame::CMainFrame() {
    setMinimumSize(kMinWidth, kMinHeight);
    m_pActions = new CommandActions(this);
    BuildMenu();

    m_pToolBar = new CMainToolBar(this);
    const QList<QAction*> buttons =
        m_pActions->InSlots([](const CommandInfo& info) { return info.toolBarSlot; });
    m_pToolBar->AddButtons(buttons);
    // A failure leaves the tool bar with whatever images it had; the frame still stands.
    m_pToolBar->SetTrueColorImageLists(32, 132, 132, 130);
    addToolBar(Qt::TopToolBarArea, m_pToolBar);

    m_pStatusBar = new CMainStatusBar(this);
    setStatusBar(m_pStatusBar);

    m_pCyclePanel = new CCycleTablePanel(this);
    m_pCyclePanel->AddPage(new CFadeChartWidget(m_pCyclePanel->Model()),
                           QStringLiteral("容量衰减"));
    addDockWidget(Qt::BottomDockWidgetArea, m_pCyclePanel);
    m_pCyclePanel->hide();

    for (const CommandInfo& info : AllCommands())
        connect(Action(info.id), &QAction::triggered, this,
                [this, id = info.id](bool checked) { RunCommand(id, checked); });
    connect(m_pToolBar, &QToolBar::visibilityChanged, this, &CMainFrame::SyncBarChecks);
    connect(m_pCyclePanel, &QDockWidget::visibilityChanged, this, &CMainFrame::SyncBarChecks);
    SyncBarChecks();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::BuildMenu() {
    const std::span<const char* const> titles = MenuPopupTitles();
    for (int popup = 0; popup < static_cast<int>(titles.size()); ++popup) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(titles[popup]));
        const QList<QAction*> items = m_pActions->InSlots([popup](const CommandInfo& info) {
            return info.menu.popup == popup ? info.menu.slot : -1;
        });
        for (QAction* item : items) {
            if (item)
                menu->addAction(item);
            else
                menu->addSeparator();
        }
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::SyncBarChecks);
    }
}

void CMainFrame::SyncBarChecks() {
    // The check marks follow the bars, whichever way a bar was shown or hidden.
    Action(ID_VIEW_TOOLBAR)->setChecked(m_pToolBar && !m_pToolBar->isHidden());
    Action(ID_VIEW_STATUS_BAR)->setChecked(m_pStatusBar && !m_pStatusBar->isHidden());
    Action(ID_VIEW_CYCLE_TABLE)->setChecked(m_pCyclePanel && !m_pCyclePanel->isHidden());
}

CKurvonView* CMainFrame::CreateView(std::unique_ptr<Prompts> prompts) {
    m_pView = new CKurvonView(std::move(prompts), this);
    setCentralWidget(m_pView);
    m_pView->OnInitialUpdate(m_pActions);
    return m_pView;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // A running load is stopped and its thread joined before the view goes.
    if (m_pView)
        m_pView->CancelLoad();
    QMainWindow::closeEvent(event);
}

} // namespace kurvon
