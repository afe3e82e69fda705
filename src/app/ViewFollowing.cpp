// The view's following side: the open file is looked at while it grows, new records are taken
// in on the UI thread, and a file changed in another way is read again from the start.
#include "app/CKurvonView.h"

#include "app/AppTexts.h"
#include "app/CommandActions.h"
#include "controls/CColorListCtrl.h"
#include "controls/CMainStatusBar.h"

#include <QAction>
#include <QFile>
#include <QFileSystemWatcher>
#include <QTime>

namespace kurvon {

void CKurvonView::SetFollow(bool on) {
    m_bFollow = on;
    if (m_pActions)
        m_pActions->Action(ID_FOLLOW_FILE)->setChecked(on);
    if (!on) {
        // The file counts as having stopped growing: a held-back last line becomes a record.
        StopFollowing(true);
        ShowFollowText(QString());
    } else if (!m_follow.Running()) {
        StartFollowing();
    }
}

void CKurvonView::StartFollowing() {
    if (!m_bFollow || !m_state.dataLoaded || m_state.loading || !m_followPoint)
        return;
    if (!m_follow.Start(m_state.currentPath, *m_followPoint,
                        [this](Growth& growth) { OnGrowth(growth); }))
        return;
    if (!m_pWatcher) {
        // Watchers miss changes on network drives: the worker's own look goes on regardless.
        m_pWatcher = new QFileSystemWatcher(this);
        connect(m_pWatcher, &QFileSystemWatcher::fileChanged, this, [this] { m_follow.Poke(); });
    }
    m_pWatcher->addPath(QFile::decodeName(m_state.currentPath.c_str()));
    if (m_reloadNote.isEmpty())
        ShowFollowText(msg::Following());
}

void CKurvonView::StopFollowing(bool settle) {
    if (m_pWatcher && !m_pWatcher->files().isEmpty())
        m_pWatcher->removePaths(m_pWatcher->files());
    if (m_follow.Running())
        m_followPoint = m_follow.Stop(settle);
}

void CKurvonView::AbandonFollowing() {
    StopFollowing(false);
    // Going on from the follower's point could leave records out: only opening the file again
    // follows it again.
    m_followPoint.reset();
    ShowFollowText(msg::FollowStopped());
}

void CKurvonView::ShowFollowText(const QString& text) {
    m_reloadNote.clear();
    if (m_pStatusBar)
        m_pStatusBar->SetFollowText(text);
}

void CKurvonView::OnGrowth(Growth& growth) {
    switch (growth.kind) {
    case GrowthKind::Nothing: // back after being gone or unreadable
        ShowFollowText(msg::Following());
        return;
    case GrowthKind::Records:
        TakeGrowth(growth);
        return;
    case GrowthKind::Gone:
        ShowFollowText(msg::FollowGone());
        return;
    case GrowthKind::Unreadable:
        ShowFollowText(msg::FollowUnreadable());
        return;
    case GrowthKind::LineTooLong:
        StopFollowing(false);
        ShowFollowText(msg::FollowStopped());
        return;
    case GrowthKind::OutOfMemory: // the follower's point may stand halfway through the look
        AbandonFollowing();
        return;
    case GrowthKind::Shrunk:
    case GrowthKind::Replaced:
    case GrowthKind::Rewritten:
        break;
    }
    // Nothing shown may mix the old bytes with the new: read the file again from the start.
    StopFollowing(false);
    const QString note = msg::FollowReloaded(growth.kind);
    if (StartLoad(m_state.currentPath)) {
        m_reloadNote = note;
        m_timer.start(kTimerPeriodMs, this);
    }
    if (m_pStatusBar)
        m_pStatusBar->SetFollowText(note);
}

void CKurvonView::TakeGrowth(const Growth& growth) {
    if (!m_state.dataLoaded)
        return;
    const std::uint32_t before = m_state.data.recordCount;
    const bool showedLast = m_state.lastRecord + 1 >= before;
    std::vector<std::string> listMin, listMax;
    m_cycleJob.CancelAndJoin(); // it reads the columns about to grow
    if (!AppendGrowth(m_state.data, m_growing, growth, listMin, listMax)) {
        AbandonFollowing(); // the follower has read past these records
        ResumeCycles();     // the job stopped above: the table of the records still there
        return;
    }
    ++m_state.dataGeneration;
    const std::uint32_t last = m_state.data.recordCount - 1;
    // A window that showed the last record keeps showing it; any other stays where it is.
    if (showedLast || m_state.lastRecord > last)
        m_state.lastRecord = last;
    if (m_state.firstRecord >= m_state.lastRecord)
        m_state.firstRecord = 0;
    for (std::uint32_t c = 0; c < m_state.data.channelCount; ++c)
        m_pChannelList->SetMinMaxTexts(static_cast<int>(c), QString::fromStdString(listMin[c]),
                                       QString::fromStdString(listMax[c]));
    const qint64 added = qint64(m_state.data.recordCount) - qint64(before);
    if (added != 0)
        ShowFollowText(
            msg::FollowArrival(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")), added));
    ResumeCycles();
    RepaintChart();
    UpdateCommandStates();
}

} // namespace kurvon
