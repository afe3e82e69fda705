#pragma once
// Fixed texts of the shell that more than one file shows.

#include "data/Growth.h"
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
// The status bar while the open file is followed.
inline QString Following() {
    return QStringLiteral("跟随中");
}
// The last arrival: its time and how many records it added.
inline QString FollowArrival(const QString& time, qint64 added) {
    return QStringLiteral("跟随中 · %1 · %2%3 条")
        .arg(time, added < 0 ? QString() : QStringLiteral("+"))
        .arg(added);
}
inline QString FollowReloaded(GrowthKind why) {
    switch (why) {
    case GrowthKind::Shrunk:
        return QStringLiteral("文件变短了，已从头重新读取");
    case GrowthKind::Replaced:
        return QStringLiteral("文件已被替换，已从头重新读取");
    default:
        break;
    }
    return QStringLiteral("文件中已读取的内容被改写，已从头重新读取");
}
inline QString FollowGone() {
    return QStringLiteral("文件已不存在，显示的是最后读到的数据");
}
inline QString FollowUnreadable() {
    return QStringLiteral("文件无法读取，显示的是最后读到的数据");
}
inline QString FollowStopped() {
    return QStringLiteral("文件中有过长的行或内存不足，已停止跟随");
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
