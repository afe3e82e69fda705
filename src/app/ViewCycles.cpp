// The view's cycle side: the table computed after each load and role change, the steps from
// cycle to cycle, the roles dialog and the cycle shown in the status bar and the panel.
#include "app/CKurvonView.h"
#include "app/CycleNotes.h"
#include "chart/CycleSteps.h"
#include "controls/CCycleTablePanel.h"
#include "controls/CMainStatusBar.h"

namespace kurvon {

void CKurvonView::StartCycles() {
    StopCycles();
    if (!m_state.dataLoaded || m_state.loading)
        return;
    const QString note = MissingRolesNote(m_roles);
    if (!m_roles[Role::Cycle].channel && !m_roles[Role::Current].channel) {
        if (m_pCyclePanel)
            m_pCyclePanel->SetTable({}, note);
        return;
    }
    if (m_pCyclePanel)
        m_pCyclePanel->SetTable({}, QStringLiteral("正在计算循环..."));
    m_cycleJob.Start(m_state.data, m_roles, m_cycleOptions,
                     [this](CycleTable* table) { OnCyclesDone(table); });
}

void CKurvonView::ResumeCycles() {
    // After growth: the table of the records there are now; the old one stays shown till then.
    if (!m_state.dataLoaded || m_state.loading ||
        (!m_roles[Role::Cycle].channel && !m_roles[Role::Current].channel))
        return;
    m_cycleJob.Start(m_state.data, m_roles, m_cycleOptions,
                     [this](CycleTable* table) { OnCyclesDone(table); });
}

void CKurvonView::StopCycles() {
    m_cycleJob.CancelAndJoin();
    m_state.cycles = {};
    if (m_pCyclePanel)
        m_pCyclePanel->SetTable({}, QString());
    UpdateCommandStates();
}

void CKurvonView::OnCyclesDone(CycleTable* table) {
    CycleTable none;
    CycleTable& shown = table ? *table : none;
    SetCycleSpans(m_state, shown);
    if (m_pCyclePanel)
        m_pCyclePanel->SetTable(std::move(shown),
                                table ? MissingRolesNote(m_roles) : CyclesOutOfMemoryNote());
    m_markedCycle.reset();
    UpdateCommandStates();
    emit CyclesFinished();
}

void CKurvonView::OnPreviousCycle() {
    AfterNavigation(ShowPreviousCycle(m_state));
}

void CKurvonView::OnNextCycle() {
    AfterNavigation(ShowNextCycle(m_state));
}

void CKurvonView::OnCycleActivated(std::size_t cycle) {
    AfterNavigation(ShowCycle(m_state, cycle));
}

void CKurvonView::OnChannelRoles() {
    if (!m_state.dataLoaded || m_state.loading)
        return;
    const std::optional<ChannelRoles> chosen =
        m_pPrompts->AskChannelRoles(this, DecodedNames(m_state.data), m_roles);
    // The dialog ran its own event loop: the data set may have gone meanwhile.
    if (!chosen || !m_state.dataLoaded || m_state.loading)
        return;
    m_roles = *chosen;
    StartCycles();
}

void CKurvonView::SetInverseEfficiency(bool inverse) {
    if (m_cycleOptions.inverseEfficiency == inverse)
        return;
    m_cycleOptions.inverseEfficiency = inverse;
    StartCycles();
}

void CKurvonView::UpdateCycleStatus() {
    const std::optional<std::size_t> shown = ShownCycle(m_state);
    if (m_pStatusBar)
        m_pStatusBar->SetCycleText(shown ? CycleStatusText(*shown, m_state.cycles.spans.size())
                                         : QString());
    if (m_pCyclePanel && shown != m_markedCycle)
        m_pCyclePanel->MarkCycle(shown);
    m_markedCycle = shown;
}

} // namespace kurvon
