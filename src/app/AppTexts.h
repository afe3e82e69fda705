#pragma once
// Fixed texts of the shell that more than one file shows.

#include "data/Loader.h"

#include <QString>

namespace kurvon {

inline QString ApplicationTitle() {
    return QStringLiteral("Kurvon");
}
inline QString MainWindowTitle() {
    return QStringLiteral("Dornvale V2.1 ");
}
inline QString SettingsOrganization() {
    return QStringLiteral("Local AppWizard-Generated Applications");
}

namespace msg {
inline QString OpenFailed() {
    return QStringLiteral("打开文件失败!");
}
inline QString FileOpenFailed() {
    return QStringLiteral("文件打开失败!");
}
inline QString FolderDrop() {
    return QStringLiteral("暂不支持文件夹拖放!");
}
inline QString UnsupportedFormat() {
    return QStringLiteral("不被支持的文件格式!");
}
inline QString SavePictureFailed() {
    return QStringLiteral("保存图片失败!");
}
inline QString OutOfMemory() {
    return QStringLiteral("数据文件太大，内存不足，无法打开!");
}
inline QString FileChangedWhileLoading() {
    return QStringLiteral("数据文件在读取过程中被修改，请重新打开!");
}
// What the window says when a load ends with `status`; null when it says nothing.
inline QString ForLoadStatus(LoadStatus status) {
    switch (status) {
    case LoadStatus::CannotOpen:
        return FileOpenFailed();
    case LoadStatus::OutOfMemory:
    case LoadStatus::LineTooLong:
        return OutOfMemory();
    case LoadStatus::FileChanged:
        return FileChangedWhileLoading();
    case LoadStatus::Loaded:
    case LoadStatus::TooFewRecords:
    case LoadStatus::Cancelled:
        break;
    }
    return {};
}
} // namespace msg

} // namespace kurvon
