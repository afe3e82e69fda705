#pragma once
// The main window: menu, tool bar, status bar and the view as its client.

#include "app/CommandActions.h"
#include "app/Prompts.h"

#include <QMainWindow>
#include <memory>

namespace kurvon {

class CCycleTablePanel;
class CKurvonView;
class CMainStatusBar;
class CMainToolBar;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kMinWidth = 800;
    static constexpr int kMinHeight = 500;

    // Builds the frame with its menu, tool bar and status bar (no view yet).
    CMainFrame();
    ~CMainFrame() override;

    // Creates the view as the frame's client and runs its initial update.
    CKurvonView* CreateView(std::unique_ptr<Prompts> prompts);

    CKurvonView* View() const { return m_pView; }
    CMainToolBar* ToolBar() const { return m_pToolBar; }
    CMainStatusBar* StatusBar() const { return m_pStatusBar; }
    CCycleTablePanel* CycleTablePanel() const { return m_pCyclePanel; }
    QAction* Action(CommandId id) const { return m_pActions->Action(id); }

signals:
    void AboutRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // What a command does (FrameCommands.cpp); most are the view's work.
    void RunCommand(CommandId id, bool checked);
    void BuildMenu();
    void SyncBarChecks();

    CMainStatusBar* m_pStatusBar = nullptr;
    CMainToolBar* m_pToolBar = nullptr;
    CCycleTablePanel* m_pCyclePanel = nullptr; // docked under the view, hidden at start
    CommandActions* m_pActions = nullptr;
    CKurvonView* m_pView = nullptr;
};

} // namespace kurvon
