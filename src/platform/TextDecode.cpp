#include "platform/TextDecode.h"

#include <QByteArrayView>
#include <QStringDecoder>

#ifdef _WIN32
#include <windows.h>
#endif

namespace kurvon {

QString DecodeText(std::string_view bytes, TextEncoding encoding) {
    const QByteArrayView view(bytes.data(), qsizetype(bytes.size()));
    if (encoding == TextEncoding::Gbk) {
#ifdef _WIN32
        // Qt for Windows has GBK only through ICU; the system's code page 936 is GBK.
        const int length =
            ::MultiByteToWideChar(936, 0, bytes.data(), int(bytes.size()), nullptr, 0);
        if (length > 0 || bytes.empty()) {
            std::wstring wide(std::size_t(length), L'\0');
            ::MultiByteToWideChar(936, 0, bytes.data(), int(bytes.size()), wide.data(), length);
            return QString::fromStdWString(wide);
        }
#endif
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
