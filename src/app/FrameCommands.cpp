#include "app/CMainFrame.h"

#include "app/CKurvonView.h"
#include "controls/CCycleTablePanel.h"
#include "controls/CMainStatusBar.h"
#include "controls/CMainToolBar.h"

namespace kurvon {

void CMainFrame::RunCommand(CommandId id, bool checked) {
    switch (id) {
    case ID_APP_ABOUT:
        emit AboutRequested();
        return;
    case ID_APP_EXIT:
        close();
        return;
    case ID_VIEW_TOOLBAR:
        m_pToolBar->setVisible(checked);
        return;
    case ID_VIEW_STATUS_BAR:
        m_pStatusBar->setVisible(checked);
        return;
    case ID_VIEW_CYCLE_TABLE:
        m_pCyclePanel->setVisible(checked);
        return;
    default:
        break;
    }
    // The rest is the view's work; it exists once the frame has created it.
    CKurvonView* view = m_pView;
    if (!view)
        return;
    switch (id) {
    case ID_OPEN:
        return view->OnOpenDataFile();
    case ID_CLEAR:
        return view->OnClear();
    case ID_SAVE_PICTURE:
        return view->OnSavePicture();
    case ID_BACK:
        return view->OnBack();
    case ID_FORWARD:
        return view->OnForward();
    case ID_ZOOM_IN:
        return view->OnZoomIn();
    case ID_ZOOM_OUT:
        return view->OnZoomOut();
    case ID_SHOW_ALL:
        return view->OnShowAll();
    case ID_RECORD_AXIS:
        return view->OnRecordAxis();
    case ID_FOLLOW_FILE:
        return view->SetFollow(checked);
    case ID_PREVIOUS_CYCLE:
        return view->OnPreviousCycle();
    case ID_NEXT_CYCLE:
        return view->OnNextCycle();
    case ID_CHANNEL_ROLES:
        return view->OnChannelRoles();
    case ID_INVERSE_EFFICIENCY:
        return view->SetInverseEfficiency(checked);
    case ID_OVERLAY_CYCLES:
        return view->OnOverlayCycles();
    case ID_END_OVERLAY:
        return view->OnEndOverlay();
    case ID_OVERLAY_RELATIVE:
        return view->SetOverlayRelative(checked);
    default: // ID_DATA_POINTS does nothing (it is never enabled)
        return;
    }
}

} // namespace kurvon
