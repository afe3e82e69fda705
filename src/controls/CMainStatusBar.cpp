#include "controls/CMainStatusBar.h"

#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>

#include <algorithm>

namespace kurvon {

namespace {
constexpr int kLockPollMs = 250;
constexpr int kPaneLeft = 2;
constexpr int kPaneGap = 2; // between the message pane and the first indicator
constexpr int kIndicatorPadding = 4;
} // namespace

CMainStatusBar::CMainStatusBar(QWidget* parent)
    : QStatusBar(parent), m_wndProgress(new QProgressBar(this)) {
    // Not in the layout: placed by hand over the message pane, hidden until a load shows it.
    m_wndProgress->setObjectName(QStringLiteral("m_wndProgress"));
    m_wndProgress->setRange(0, 100);
    m_wndProgress->setValue(0);
    m_wndProgress->setTextVisible(false);
    m_wndProgress->setGeometry(QRect());
    m_wndProgress->hide();

    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(this);
        label->setAlignment(Qt::AlignCenter);
        label->setContentsMargins(kIndicatorPadding, 0, kIndicatorPadding, 0);
        addPermanentWidget(label);
        m_indicators[static_cast<std::size_t>(i)] = label;
    }
    FixIndicatorWidths();
    m_cycleLabel = new QLabel(this);
    m_cycleLabel->setContentsMargins(kIndicatorPadding, 0, kIndicatorPadding, 0);
    insertPermanentWidget(0, m_cycleLabel);
    m_cycleLabel->hide();
    m_cycleLabel->installEventFilter(this);
    // The first indicator's geometry is where the layout ends pane 0.
    m_indicators[kCapsIndicator]->installEventFilter(this);

    // Pane 0 shows a single blank whenever no prompt is due.
    connect(this, &QStatusBar::messageChanged, this, [this](const QString& message) {
        if (message.isEmpty())
            showMessage(m_followText.isEmpty() ? IdleText() : m_followText);
    });
    showMessage(IdleText());

    const std::optional<LockKeyState> lockState = QueryLockKeys();
    ShowLockState(lockState);
    if (lockState) {
        m_lockTimer = new QTimer(this);
        connect(m_lockTimer, &QTimer::timeout, this, [this] { ShowLockState(QueryLockKeys()); });
        m_lockTimer->start(kLockPollMs);
    }
}

void CMainStatusBar::SetFollowText(const QString& text) {
    const QString shown = currentMessage();
    const bool idle = shown.isEmpty() || shown == IdleText() || shown == m_followText;
    m_followText = text;
    if (idle)
        showMessage(text.isEmpty() ? IdleText() : text);
}

QString CMainStatusBar::IndicatorText(Indicator which) {
    switch (which) {
    case kCapsIndicator:
        return QStringLiteral("大写");
    case kNumIndicator:
        return QStringLiteral("数字");
    case kScrollIndicator:
        return QStringLiteral("滚动");
    }
    return {};
}

void CMainStatusBar::SetProgressPosition(int percent) {
    m_wndProgress->setValue(std::clamp(percent, 0, 100));
}

void CMainStatusBar::ShowProgress() {
    PlaceProgress();
    m_wndProgress->raise();
    m_wndProgress->show();
}

void CMainStatusBar::HideProgress() {
    m_wndProgress->hide();
}

void CMainStatusBar::SetCycleText(const QString& text) {
    m_cycleLabel->setText(text);
    m_cycleLabel->setVisible(!text.isEmpty());
}

QRect CMainStatusBar::MessagePaneRect() const {
    const QLabel* first = m_indicators[kCapsIndicator];
    if (!first->isVisibleTo(this))
        return {};
    const QRect band = first->geometry();
    // The pane ends before the cycle pane while that shows.
    const int paneEnd =
        m_cycleLabel->isVisibleTo(this) ? m_cycleLabel->geometry().left() : band.left();
    const int right = paneEnd - kPaneGap; // exclusive
    if (right <= kPaneLeft || band.height() <= 0)
        return {};
    return QRect(kPaneLeft, band.top(), right - kPaneLeft, band.height());
}

void CMainStatusBar::ShowLockState(const std::optional<LockKeyState>& state) {
    const bool on[3] = {state && state->caps, state && state->num, state && state->scroll};
    for (int i = 0; i < 3; ++i) {
        const auto which = static_cast<Indicator>(i);
        m_indicators[static_cast<std::size_t>(i)]->setText(on[i] ? IndicatorText(which)
                                                                 : QString());
    }
}

void CMainStatusBar::resizeEvent(QResizeEvent* event) {
    QStatusBar::resizeEvent(event);
    PlaceProgress();
}

void CMainStatusBar::changeEvent(QEvent* event) {
    QStatusBar::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        FixIndicatorWidths();
}

bool CMainStatusBar::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == m_indicators[kCapsIndicator] || watched == m_cycleLabel) &&
        (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        PlaceProgress();
    return QStatusBar::eventFilter(watched, event);
}

void CMainStatusBar::PlaceProgress() {
    // Also while hidden, so that it shows in the right place when the next load begins.
    m_wndProgress->setGeometry(MessagePaneRect());
}

void CMainStatusBar::FixIndicatorWidths() {
    // An indicator keeps the width of its text while blank.
    for (int i = 0; i < 3; ++i) {
        QLabel* label = m_indicators[static_cast<std::size_t>(i)];
        const QString text = IndicatorText(static_cast<Indicator>(i));
        const QMargins m = label->contentsMargins();
        label->setFixedWidth(label->fontMetrics().horizontalAdvance(text) + m.left() + m.right() +
                             2 * label->frameWidth());
    }
}

} // namespace kurvon
