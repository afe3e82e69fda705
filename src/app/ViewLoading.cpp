// The view's loading side: Open, drop, the loader thread and the hand-over of its result.
#include "app/CKurvonView.h"

#include "analysis/RoleRecognition.h"
#include "app/AppTexts.h"
#include "app/CycleNotes.h"
#include "controls/CColorListCtrl.h"
#include "controls/CMainStatusBar.h"
#include "data/DataFileExtension.h"
#include "platform/TextDecode.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace kurvon {
namespace {

// No data set: arrays freed, counts zero, nothing loaded.
void ForgetDataSet(ViewState& state) {
    ReleaseDataSet(state);
    state.data.recordCount = 0;
    state.data.channelCount = 0;
    state.dataLoaded = false;
}

} // namespace

void CKurvonView::OnOpenDataFile() {
    if (m_state.loading)
        return;
    const std::optional<QString> path = m_pPrompts->AskOpenDataFile(this);
    if (!path || path->isEmpty())
        return;
    OpenDataFile(*path);
}

void CKurvonView::OpenDataFile(const QString& path) {
    if (m_state.loading || path.isEmpty())
        return;
    if (StartLoad(path.toStdString()))
        m_timer.start(kTimerPeriodMs, this);
}

void CKurvonView::OnDropFiles(const QList<QUrl>& urls) {
    if (m_state.loading)
        return;
    if (!urls.isEmpty()) {
        // Only the first item counts.
        const QString path = urls.first().isLocalFile() ? urls.first().toLocalFile() : QString();
        const QFileInfo info(path);
        if (path.isEmpty() || !info.exists() || info.isDir()) {
            // A folder, or a path whose attributes cannot be read.
            m_pPrompts->ShowNotice(this, msg::FolderDrop());
        } else {
            const std::optional<std::string> accepted = AcceptDataFilePath(path.toStdString());
            if (!accepted) {
                m_pPrompts->ShowAppMessage(this, msg::UnsupportedFormat());
                return;
            }
            if (!StartLoad(*accepted))
                return;
        }
    }
    m_timer.start(kTimerPeriodMs, this); // (re)started
}

bool CKurvonView::StartLoad(const std::string& path) {
    StopFollowing(false);
    m_followPoint.reset();
    ShowFollowText(QString());
    m_state.currentPath = path;
    m_lastLoadStatus.reset();
    m_timer.stop();
    StopCycles(); // its thread reads the data set about to go
    ForgetDataSet(m_state);
    m_pChannelList->SetAxisRow(-1); // rows a failed load keeps show no x channel
    // Raised before the thread starts: Open and drops are refused from here on.
    m_state.loading = true;

    LoadJob::Callbacks callbacks;
    callbacks.show = [this] { OnLoadShow(); };
    callbacks.position = [this](int position) { OnLoadPosition(position); };
    callbacks.done = [this](LoadResult& result) { OnLoadDone(result); };
    if (!m_load.Start(m_state.currentPath, m_colorSeed.value_or(CurrentColorSeed()),
                      std::move(callbacks))) {
        m_state.loading = false;
        UpdateCommandStates();
        m_pPrompts->ShowAppMessage(this, msg::OpenFailed());
        return false;
    }
    UpdateCommandStates();
    RepaintChart();
    return true;
}

void CKurvonView::OnLoadShow() {
    if (m_pStatusBar)
        m_pStatusBar->ShowProgress();
}

void CKurvonView::OnLoadPosition(int position) {
    if (m_pStatusBar)
        m_pStatusBar->SetProgressPosition(position);
}

void CKurvonView::OnLoadDone(LoadResult& result) {
    m_load.Join();
    m_lastLoadStatus = result.status;
    switch (result.status) {
    case LoadStatus::Loaded:
        m_state.data = std::move(result.data);
        ++m_state.dataGeneration;
        FillChannelList(result);
        OnLoadPosition(100);
        RefreshChannelColors();
        m_state.firstRecord = result.firstRecord;
        m_state.lastRecord = result.lastRecord;
        m_state.dataLoaded = true;
        m_state.loading = false;
        if (m_pStatusBar)
            m_pStatusBar->HideProgress();
        m_growing = GrowingData{std::move(result.settled), result.follow.provisional};
        m_followPoint = std::move(result.follow);
        StartFollowing();
        m_roles = RecogniseRoles(DecodedNames(m_state.data));
        StartCycles();
        break;
    case LoadStatus::CannotOpen:
    case LoadStatus::TooFewRecords:
    case LoadStatus::OutOfMemory:
    case LoadStatus::FileChanged:
    case LoadStatus::LineTooLong:
    case LoadStatus::Cancelled:
        // The progress bar stays where the loader left it; the list keeps its rows.
        ForgetDataSet(m_state);
        m_state.loading = false;
        break;
    }
    UpdateCommandStates();
    if (const QString message = msg::ForLoadStatus(result.status); !message.isNull())
        m_pPrompts->ShowAppMessage(this, message);
    emit LoadFinished();
}

void CKurvonView::FillChannelList(const LoadResult& result) {
    CColorListCtrl* list = m_pChannelList;
    list->setUpdatesEnabled(false);
    list->DeleteAllItems();
    const DataSet& data = m_state.data;
    for (std::uint32_t c = 0; c < data.channelCount; ++c) {
        list->InsertChannelRow(static_cast<int>(c), DecodeText(data.names[c], data.nameEncoding),
                               QString::fromStdString(result.listMin[c]),
                               QString::fromStdString(result.listMax[c]));
    }
    list->setUpdatesEnabled(true);
}

void CKurvonView::RefreshChannelColors() {
    CColorListCtrl* list = m_pChannelList;
    list->setUpdatesEnabled(false);
    list->ClearColors();
    const DataSet& data = m_state.data;
    for (std::uint32_t c = 0; c < data.channelCount && c < data.colors.size(); ++c)
        list->AddCellColor(data.colors[c], static_cast<int>(c), CColorListCtrl::kColorColumn);
    list->setUpdatesEnabled(true);
}

void CKurvonView::CancelLoad() {
    m_load.CancelAndJoin();
    StopCycles();
}

} // namespace kurvon
