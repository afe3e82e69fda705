#pragma once
// Start-up of the program on a QApplication that already exists.

#include "app/Prompts.h"

#include <QObject>
#include <QString>
#include <memory>

namespace kurvon {

class CMainFrame;

class CKurvonApp : public QObject {
    Q_OBJECT
public:
    CKurvonApp();
    ~CKurvonApp() override;

    // Frame with its bars, then the view and its initial update, then title, show and centre.
    // With a path, loads it as the Open command would.
    void InitInstance(std::unique_ptr<Prompts> prompts, const QString& fileToLoad = QString(),
                      bool follow = true);

    CMainFrame* MainFrame() const { return m_pMainFrame.get(); }

    void OnAppAbout();

private:
    std::unique_ptr<CMainFrame> m_pMainFrame;
};

// Application-wide names: title, settings organisation, icon.
void SetUpApplication();

// The whole GUI program: creates the QApplication, starts up and runs the event loop.
int RunGui(int argc, char** argv, const QString& fileToLoad, bool follow = true);

} // namespace kurvon
