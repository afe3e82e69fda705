#include "chart/PictureFile.h"

namespace kurvon {

PictureWriteResult WritePictureFile(const QImage& image, const QString& path,
                                    PictureFormat format) {
    const EncodedImage encoded =
        format == PictureFormat::Png ? EncodePng24(image) : EncodeBmp24(image);
    if (!encoded.Ok())
        return {false, encoded.error};
    return WriteFileWhole(path, encoded.bytes);
}

} // namespace kurvon
