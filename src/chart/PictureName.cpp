#include "chart/PictureName.h"

#include <QFileInfo>

namespace kurvon {

QString PictureSuffix(PictureFormat format) {
    return format == PictureFormat::Png ? QStringLiteral(".png") : QStringLiteral(".bmp");
}

QString WithPictureSuffix(const QString& path, PictureFormat format) {
    const QString suffix = PictureSuffix(format);
    if (path.endsWith(suffix, Qt::CaseSensitive))
        return path;
    return path + suffix;
}

std::optional<PictureTarget> PictureTargetOfName(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    if (name.isEmpty()) // a folder's path
        return std::nullopt;
    // A leading dot starts a hidden name, not a suffix.
    if (name.lastIndexOf(QLatin1Char('.')) <= 0)
        return PictureTarget{path + PictureSuffix(PictureFormat::Bmp), PictureFormat::Bmp};
    for (PictureFormat format : {PictureFormat::Bmp, PictureFormat::Png}) {
        if (name.endsWith(PictureSuffix(format), Qt::CaseInsensitive))
            return PictureTarget{path, format};
    }
    return std::nullopt;
}

} // namespace kurvon
