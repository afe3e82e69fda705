#include "platform/TextDecode.h"

#include <QStringDecoder>

#include <gtest/gtest.h>

namespace kurvon {
namespace {

// One decision per file: a GBK names line whose short names happen to be valid UTF-8 on their
// own ("时" and "压") is still GBK as a whole.
TEST(TextDecode, OneEncodingPerNamesLineAndUtf8AsQtReadsIt) {
    const struct {
        std::vector<std::string> names;
        TextEncoding encoding;
        std::vector<std::string> shown;
    } cases[] = {
        {{"Volts", "电压(V)"}, TextEncoding::Utf8, {"Volts", "电压(V)"}},
        {{"\xCA\xB1", "\xD1\xB9", "\xC1\xF7", "\xCE\xC2\xB6\xC8"},
         TextEncoding::Gbk,
         {"时", "压", "流", "温度"}},
        {{"\xCA\xB1"}, TextEncoding::Utf8, {"ʱ"}}, // alone, it reads as UTF-8
    };
    for (const auto& c : cases) {
        ASSERT_EQ(NamesEncoding(c.names), c.encoding) << c.names.size();
        for (std::size_t i = 0; i < c.names.size(); ++i)
            EXPECT_EQ(DecodeTextToUtf8(c.names[i], c.encoding), c.shown[i]);
    }

    // The UTF-8 check against Qt's own decoder, on every string of up to four bytes drawn from
    // the edges of the lead and continuation ranges.
    const unsigned char pool[] = {'a',  0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC0, 0xC1,
                                  0xC2, 0xDF, 0xE0, 0xED, 0xEF, 0xF0, 0xF4, 0xF5, 0xFF};
    const int n = sizeof pool;
    for (int length = 0, count = 1; length <= 4; ++length, count *= n) {
        for (int code = 0; code < count; ++code) {
            std::string s;
            for (int rest = code, i = 0; i < length; ++i, rest /= n)
                s += static_cast<char>(pool[rest % n]);
            QStringDecoder qt(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            const QString decoded = qt.decode(QByteArrayView(s.data(), qsizetype(s.size())));
            ASSERT_EQ(IsValidUtf8(s), !qt.hasError())
                << QByteArray::fromStdString(s).toHex().data();
        }
    }
}

} // namespace
} // namespace kurvon
