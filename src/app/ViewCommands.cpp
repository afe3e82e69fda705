// The view's commands: navigation, Clear, Save picture, recolouring, and their enabled states.
#include "app/CKurvonView.h"

#include "app/AppTexts.h"
#include "app/CommandActions.h"
#include "chart/Navigation.h"
#include "chart/PictureFile.h"
#include "chart/PictureName.h"
#include "controls/CColorListCtrl.h"
#include "controls/ColorRefQt.h"

#include <QMenu>

namespace kurvon {

void CKurvonView::AfterNavigation(bool acted) {
    if (!acted)
        return;
    // A new view window: the records are what the user wants to see again.
    m_state.overlay.choice.reset();
    RepaintChart();
    UpdateCommandStates();
}

void CKurvonView::OnBack() {
    AfterNavigation(NavigateBack(m_state));
}
void CKurvonView::OnForward() {
    AfterNavigation(NavigateForward(m_state));
}
void CKurvonView::OnZoomIn() {
    AfterNavigation(ZoomIn(m_state));
}
void CKurvonView::OnZoomOut() {
    AfterNavigation(ZoomOut(m_state));
}
void CKurvonView::OnShowAll() {
    AfterNavigation(ShowAll(m_state));
}

void CKurvonView::OnRecordAxis() {
    SetXChannel(-1);
}

void CKurvonView::SetXChannel(int channel) {
    if (!m_state.dataLoaded || m_state.loading || channel < -1 ||
        (channel >= 0 && static_cast<std::uint32_t>(channel) >= m_state.data.channelCount))
        return;
    m_state.xChannel = channel;
    m_pChannelList->SetAxisRow(channel);
    RepaintChart();
    UpdateCommandStates();
}

QMenu* CKurvonView::ChannelMenu(int row) {
    auto* menu = new QMenu(m_pChannelList);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction* axis = menu->addAction(QStringLiteral("设为横轴"));
    axis->setCheckable(true);
    axis->setChecked(m_state.xChannel == row);
    axis->setEnabled(m_state.dataLoaded && !m_state.loading && row >= 0 &&
                     static_cast<std::uint32_t>(row) < m_state.data.channelCount);
    connect(axis, &QAction::triggered, this, [this, row] { SetXChannel(row); });
    AddRoleMenu(menu, row);
    return menu;
}

void CKurvonView::OnClear() {
    if (!m_state.dataLoaded)
        return;
    StopFollowing(false);
    m_followPoint.reset();
    ShowFollowText(QString());
    StopCycles();
    ClearModel(m_state);
    m_pChannelList->DeleteAllItems();
    update(); // the whole view
    UpdateCommandStates();
}

void CKurvonView::OnSavePicture() {
    if (!Ready(m_state))
        return;
    // The picture is what the view shows now, list included, before any dialog opens.
    const QImage picture = grab().toImage();
    const std::optional<PictureChoice> chosen = m_pPrompts->AskPictureFile(this);
    if (!chosen || chosen->path.isEmpty())
        return;
    const QString path = WithPictureSuffix(chosen->path, chosen->format);
    if (!WritePictureFile(picture, path, chosen->format).written)
        m_pPrompts->ShowAppMessage(this, msg::SavePictureFailed());
}

void CKurvonView::OnDblclkChannelList() {
    // The rows belong to the current data set only while it is loaded and no load runs.
    if (!m_state.dataLoaded || m_state.loading)
        return;
    const int row = m_pChannelList->SelectedRow();
    if (row < 0)
        return;
    const std::optional<QColor> color = m_pPrompts->AskColor(m_pChannelList);
    if (!color)
        return;
    // The dialog ran its own event loop: check again that the row still names a channel.
    if (!m_state.dataLoaded || m_state.loading ||
        static_cast<std::size_t>(row) >= m_state.data.colors.size())
        return;
    m_state.data.colors[static_cast<std::size_t>(row)] = ToColorRef(*color);
    RefreshChannelColors();
}

void CKurvonView::EditState(const std::function<void(ViewState&)>& edit) {
    edit(m_state);
    RepaintChart();
    UpdateCommandStates();
}

void CKurvonView::UpdateCommandStates() {
    if (m_pActions)
        m_pActions->UpdateEnabled(m_state);
    UpdateCycleStatus();
}

} // namespace kurvon
