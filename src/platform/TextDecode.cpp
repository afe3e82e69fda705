#include "platform/TextDecode.h"

#include <QByteArrayView>
#include <QStringDecoder>

namespace kurvon {

QString DecodeText(std::string_view bytes, TextEncoding encoding) {
    const QByteArrayView view(bytes.data(), qsizetype(bytes.size()));
    if (encoding == TextEncoding::Gbk) {
        QStringDecoder gbk("GBK", QStringDecoder::Flag::Stateless);
        if (gbk.isValid())
            return gbk.decode(view);
    }
    // Without a GBK codec the UTF-8 reading, with replacement characters, is the best left.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    return utf8.decode(view);
}

std::string DecodeTextToUtf8(std::string_view bytes, TextEncoding encoding) {
    return DecodeText(bytes, encoding).toStdString();
}

} // namespace kurvon
