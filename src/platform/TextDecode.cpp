#include "platform/TextDecode.h"

#include <QByteArrayView>
#include <QStringDecoder>

namespace kurvon {

bool IsValidUtf8(std::string_view bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    return !decoder.hasError();
}

QString DecodeText(std::string_view bytes) {
    const QByteArrayView view(bytes.data(), qsizetype(bytes.size()));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(view);
    if (!utf8.hasError())
        return text;
    QStringDecoder gbk("GBK", QStringDecoder::Flag::Stateless);
    if (gbk.isValid())
        return gbk.decode(view);
    // Without a GBK codec the UTF-8 reading, with replacement characters, is the best left.
    return text;
}

std::string DecodeTextToUtf8(std::string_view bytes) {
    return DecodeText(bytes).toStdString();
}

} // namespace kurvon
