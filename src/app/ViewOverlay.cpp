// The view's cycle overlay: the chosen cycles drawn on top of each other against the x channel.
#include "app/CKurvonView.h"
#include "chart/CycleOverlay.h"

namespace kurvon {

bool CKurvonView::ShowOverlay(const CycleChoice& choice) {
    const std::optional<CycleChoice> before = m_state.overlay.choice;
    m_state.overlay.choice = choice;
    if (!OverlayActive(m_state)) {
        m_state.overlay.choice = before;
        return false;
    }
    RepaintChart();
    UpdateCommandStates();
    return true;
}

void CKurvonView::OnOverlayCycles() {
    if (!m_state.dataLoaded || m_state.loading || m_state.xChannel < 0 ||
        m_state.cycles.spans.empty())
        return;
    QString text = m_state.overlay.choice ? QString::fromStdString(m_state.overlay.choice->text)
                                          : QStringLiteral("1, 最后");
    while (true) {
        const std::optional<QString> answer = m_pPrompts->AskCycleChoice(this, text);
        // The dialog ran its own event loop: the data set or its cycles may have gone.
        if (!answer || !m_state.dataLoaded || m_state.loading || m_state.cycles.spans.empty())
            return;
        text = *answer;
        const auto parsed = ParseCycleChoice(text.toStdString());
        if (const auto* error = std::get_if<CycleChoiceError>(&parsed)) {
            m_pPrompts->ShowNotice(this, QString::fromStdString(CycleChoiceMessage(*error)));
            continue;
        }
        if (ShowOverlay(std::get<CycleChoice>(parsed)))
            return;
        m_pPrompts->ShowNotice(
            this,
            QStringLiteral("文件中没有所选的循环 (共 %1 个循环)").arg(m_state.cycles.spans.size()));
    }
}

void CKurvonView::OnEndOverlay() {
    if (!m_state.overlay.choice)
        return;
    m_state.overlay.choice.reset();
    RepaintChart();
    UpdateCommandStates();
}

void CKurvonView::SetOverlayRelative(bool relative) {
    m_state.overlay.relative = relative;
    RepaintChart();
}

} // namespace kurvon
