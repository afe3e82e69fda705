#include "app/CKurvonApp.h"

#include "app/AppTexts.h"
#include "app/CAboutDlg.h"
#include "app/CKurvonView.h"
#include "app/CMainFrame.h"
#include "app/DisplayCheck.h"
#include "app/ExitCodes.h"
#include "app/QtPrompts.h"
#include "app/QtTranslation.h"

#include <QApplication>
#include <QIcon>
#include <QScreen>

#include <iostream>

// The resources live in a static library: register them explicitly.
static void InitKurvonResources() {
    Q_INIT_RESOURCE(kurvon);
}

namespace kurvon {

CKurvonApp::CKurvonApp() = default;

CKurvonApp::~CKurvonApp() = default;

void CKurvonApp::InitInstance(std::unique_ptr<Prompts> prompts, const QString& fileToLoad,
                              bool follow) {
    m_pMainFrame = std::make_unique<CMainFrame>();
    connect(m_pMainFrame.get(), &CMainFrame::AboutRequested, this, &CKurvonApp::OnAppAbout);
    CKurvonView* view = m_pMainFrame->CreateView(std::move(prompts));

    m_pMainFrame->setWindowTitle(MainWindowTitle());
    m_pMainFrame->resize(m_pMainFrame->sizeHint().expandedTo(m_pMainFrame->minimumSize()));
    if (QScreen* screen = m_pMainFrame->screen()) {
        QRect frame = m_pMainFrame->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        m_pMainFrame->move(frame.topLeft());
    }
    m_pMainFrame->show();

    view->SetFollow(follow);
    if (!fileToLoad.isEmpty())
        view->OpenDataFile(fileToLoad);
}

void CKurvonApp::OnAppAbout() {
    CAboutDlg dialog(m_pMainFrame.get());
    dialog.exec();
}

void SetUpApplication() {
    InitKurvonResources();
    QApplication::setApplicationName(ApplicationTitle());
    QApplication::setOrganizationName(SettingsOrganization());
    QIcon icon;
    icon.addFile(QStringLiteral(":/res/icon16.bmp"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/res/icon32.bmp"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/res/kurvon.png"));
    QApplication::setWindowIcon(icon);
}

int RunGui(int argc, char** argv, const QString& fileToLoad, bool follow) {
    // Qt would abort without a display; say it in one line instead.
    if (!DisplayAvailable(DisplaySettingFromEnvironment(), CanReachXDisplay)) {
        std::cerr << "kurvon: " << NoDisplayText() << '\n';
        return kExitFailure;
    }
    QApplication app(argc, argv);
    const std::unique_ptr<QTranslator> qtChinese = LoadQtChineseTranslation();
    if (qtChinese)
        QApplication::installTranslator(qtChinese.get());
    SetUpApplication();
    CKurvonApp kurvon;
    kurvon.InitInstance(std::make_unique<QtPrompts>(), fileToLoad, follow);
    return app.exec();
}

} // namespace kurvon
