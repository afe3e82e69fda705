#pragma once
// The About box: modal, opens by growing from its centre to full size.

#include <QDialog>

class QPropertyAnimation;

namespace kurvon {

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    static constexpr int kOpenDurationMs = 300;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPropertyAnimation* m_pOpenAnimation = nullptr;
};

} // namespace kurvon
