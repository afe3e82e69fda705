#include "AppTestSupport.h"

#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <cmath>
#include <gtest/gtest.h>

namespace kurvon::test {

RunningApp::RunningApp() : script(std::make_shared<ScriptedPrompts::Script>()) {
    SetUpApplication();
    app = std::make_unique<CKurvonApp>();
    app->InitInstance(std::make_unique<ScriptedPrompts>(script));
}

RunningApp::~RunningApp() {
    if (app && app->MainFrame())
        app->MainFrame()->close();
}

bool WaitForLoad(CKurvonView& view) {
    if (!view.State().loading)
        return true;
    QSignalSpy finished(&view, &CKurvonView::LoadFinished);
    return finished.wait(120000);
}

QString WriteBytes(const QDir& dir, const QString& name, const std::string& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return path;
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString WriteDataFile(const QDir& dir, const QString& name, int channels, int records) {
    std::string text = "test rig export\r\n";
    for (int c = 0; c < channels; ++c) {
        text += c ? " ch" : "ch";
        text += std::to_string(c);
    }
    text += "\r\n";
    for (int r = 0; r < records; ++r) {
        for (int c = 0; c < channels; ++c) {
            // Each channel a differently scaled wave, so curves cross the whole plot.
            const double v = (c + 1) * 10.0 * std::sin(r * 0.05 + c);
            if (c > 0)
                text += '\t';
            text += std::to_string(v);
        }
        text += "\r\n";
    }
    return WriteBytes(dir, name, text);
}

void DropOn(CKurvonView& view, const QStringList& paths, QPoint at) {
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls.append(QUrl::fromLocalFile(path));
    mime.setUrls(urls);
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &drop);
}

QString ExampleFile() {
    const QString path = QStringLiteral(KURVON_EXAMPLES_DIR "/example.kvd");
    return QFileInfo::exists(path) ? path : QString();
}

bool HasColouredPixel(const QImage& image, const QRect& rect) {
    const QRect r = rect.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() != c.green() || c.green() != c.blue())
                return true;
        }
    }
    return false;
}

} // namespace kurvon::test
