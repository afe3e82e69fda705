#include "app/CMainFrame.h"

#include "app/CKurvonView.h"
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
    QList<QAction*> buttons;
    for (int id : ToolBarLayout())
        buttons.append(id ? Action(static_cast<CommandId>(id)) : nullptr);
    m_pToolBar->AddButtons(buttons);
    // A failure leaves the tool bar with whatever images it had; the frame still stands.
    m_pToolBar->SetTrueColorImageLists(32, 132, 132, 130);
    addToolBar(Qt::TopToolBarArea, m_pToolBar);

    m_pStatusBar = new CMainStatusBar(this);
    setStatusBar(m_pStatusBar);

    connect(Action(ID_APP_EXIT), &QAction::triggered, this, &QWidget::close);
    connect(Action(ID_APP_ABOUT), &QAction::triggered, this, &CMainFrame::AboutRequested);
    connect(Action(ID_VIEW_TOOLBAR), &QAction::triggered, this,
            [this](bool on) { m_pToolBar->setVisible(on); });
    connect(Action(ID_VIEW_STATUS_BAR), &QAction::triggered, this,
            [this](bool on) { m_pStatusBar->setVisible(on); });
    connect(m_pToolBar, &QToolBar::visibilityChanged, this, &CMainFrame::SyncBarChecks);
    SyncBarChecks();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::BuildMenu() {
    for (const MenuPopup& popup : MainMenuLayout()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(popup.title));
        for (int id : popup.items) {
            if (id == 0)
                menu->addSeparator();
            else
                menu->addAction(Action(static_cast<CommandId>(id)));
        }
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::SyncBarChecks);
    }
}

void CMainFrame::SyncBarChecks() {
    // The check marks follow the bars, whichever way a bar was shown or hidden.
    Action(ID_VIEW_TOOLBAR)->setChecked(m_pToolBar && !m_pToolBar->isHidden());
    Action(ID_VIEW_STATUS_BAR)->setChecked(m_pStatusBar && !m_pStatusBar->isHidden());
}

CKurvonView* CMainFrame::CreateView(std::unique_ptr<Prompts> prompts) {
    m_pView = new CKurvonView(std::move(prompts), this);
    setCentralWidget(m_pView);
    ConnectViewCommands();
    m_pView->OnInitialUpdate(m_pActions);
    return m_pView;
}

void CMainFrame::ConnectViewCommands() {
    const std::pair<CommandId, void (CKurvonView::*)()> handlers[] = {
        {ID_OPEN, &CKurvonView::OnOpenDataFile},        {ID_CLEAR, &CKurvonView::OnClear},
        {ID_SAVE_PICTURE, &CKurvonView::OnSavePicture}, {ID_BACK, &CKurvonView::OnBack},
        {ID_FORWARD, &CKurvonView::OnForward},          {ID_ZOOM_IN, &CKurvonView::OnZoomIn},
        {ID_ZOOM_OUT, &CKurvonView::OnZoomOut},         {ID_SHOW_ALL, &CKurvonView::OnShowAll},
    };
    for (const auto& [id, handler] : handlers)
        connect(Action(id), &QAction::triggered, m_pView, handler);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // A running load is stopped and its thread joined before the view goes.
    if (m_pView)
        m_pView->CancelLoad();
    QMainWindow::closeEvent(event);
}

} // namespace kurvon
