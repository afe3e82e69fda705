#pragma once
// The frame's status bar: a message pane for prompts (idle text a single blank), the Caps,
// Num and Scroll Lock indicators, and a progress bar laid exactly over the message pane.

#include "platform/LockKeys.h"

#include <QStatusBar>

#include <array>
#include <optional>

class QLabel;
class QProgressBar;
class QTimer;

namespace kurvon {

class CMainStatusBar : public QStatusBar {
    Q_OBJECT

public:
    enum Indicator { kCapsIndicator = 0, kNumIndicator = 1, kScrollIndicator = 2 };

    explicit CMainStatusBar(QWidget* parent = nullptr);

    static QString IdleText() { return QStringLiteral(" "); }
    // What pane 0 shows while no prompt is due, instead of the blank: how following the file
    // goes. Empty: the blank again.
    void SetFollowText(const QString& text);
    QString FollowText() const { return m_followText; }
    static QString IndicatorText(Indicator which);

    // Progress in percent; positions outside 0..100 go to the nearer end.
    void SetProgressPosition(int percent);
    void ShowProgress();
    void HideProgress();
    QProgressBar* Progress() const { return m_wndProgress; }

    // Pane 0, the message pane: from x = 2 up to 2 px short of the first lock indicator (so it
    // takes in all of the strip where prompts are written), over the height of the band the
    // layout gives the indicators. Empty until the layout has placed the indicators.
    QRect MessagePaneRect() const;

    // The cycle shown ("循环 12 / 850"), in a pane left of the indicators; empty hides it.
    void SetCycleText(const QString& text);
    QLabel* CycleLabel() const { return m_cycleLabel; }

    // Each indicator shows its text while its key is on; blank (same width) while off or
    // while the state is unknown.
    void ShowLockState(const std::optional<LockKeyState>& state);
    QLabel* IndicatorLabel(Indicator which) const { return m_indicators[which]; }
    // Whether a timer polls the lock keys (only where the platform tells their state).
    bool PollsLockKeys() const { return m_lockTimer != nullptr; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PlaceProgress();
    void FixIndicatorWidths();

    QProgressBar* m_wndProgress;
    std::array<QLabel*, 3> m_indicators{};
    QLabel* m_cycleLabel = nullptr;
    QTimer* m_lockTimer = nullptr;
    QString m_followText;
};

} // namespace kurvon
