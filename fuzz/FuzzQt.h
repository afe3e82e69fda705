#pragma once
// The Qt application the drawing and the command line need, on the offscreen platform.

#include <QByteArray>
#include <QtGlobal>

template <class App> void StartOffscreenApp(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static App app(*argc, *argv);
}
