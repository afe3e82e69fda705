#pragma once
// How a picture's file name and its format go together.

#include "chart/PictureFile.h"

#include <QString>
#include <optional>

namespace kurvon {

// The suffix a format's files carry: ".bmp" or ".png".
QString PictureSuffix(PictureFormat format);

// Save picture: the chosen filter's suffix is appended unless the path already ends in it,
// exactly and case-sensitively ("a.BMP" becomes "a.BMP.bmp").
QString WithPictureSuffix(const QString& path, PictureFormat format);

struct PictureTarget {
    QString path;
    PictureFormat format = PictureFormat::Bmp;
};

// kurvon --render: ".bmp" or ".png" in any letter case choose the format; a file name without
// a suffix gets ".bmp", as Save picture would give it. Nothing for any other suffix.
std::optional<PictureTarget> PictureTargetOfName(const QString& path);

} // namespace kurvon
