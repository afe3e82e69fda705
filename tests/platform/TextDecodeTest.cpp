#include "platform/TextDecode.h"

#include <QStringDecoder>

#include <gtest/gtest.h>

#include <random>

namespace kurvon {
namespace {

// One decision per file: a GBK names line whose short names happen to be valid UTF-8 on their
// own ("时" and "压") is still GBK as a whole.
TEST(TextDecode, OneEncodingForTheWholeNamesLine) {
    const struct {
        std::vector<std::string> names;
        TextEncoding encoding;
        std::vector<std::string> shown;
    } cases[] = {
        {{"Volts", "电压(V)"}, TextEncoding::Utf8, {"Volts", "电压(V)"}},
        {{"\xCA\xB1", "\xD1\xB9", "\xC1\xF7", "\xCE\xC2\xB6\xC8"},
         TextEncoding::Gbk,
         {"时", "压", "流", "温度"}},
        {{"Test (Sec)", "\xB5\xE7\xD1\xB9"}, TextEncoding::Gbk, {"Test (Sec)", "电压"}},
        {{"\xCA\xB1"}, TextEncoding::Utf8, {"ʱ"}}, // alone, it reads as UTF-8
        {{}, TextEncoding::Utf8, {}},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(NamesEncoding(c.names), c.encoding) << c.names.size();
        for (std::size_t i = 0; i < c.names.size(); ++i)
            EXPECT_EQ(DecodeTextToUtf8(c.names[i], c.encoding), c.shown[i]);
    }
}

// Against Qt's own UTF-8 decoder, on the edge forms and on random bytes biased to the lead and
// continuation ranges.
TEST(TextDecode, Utf8CheckAgreesWithQt) {
    const auto qtValid = [](const std::string& s) {
        QStringDecoder d(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = d.decode(QByteArrayView(s.data(), qsizetype(s.size())));
        return !d.hasError();
    };
    std::vector<std::string> samples = {"",
                                        "abc",
                                        "\xC0\x80",
                                        "\xC2\x80",
                                        "\xE0\x80\x80",
                                        "\xE0\xA0\x80",
                                        "\xED\xA0\x80",
                                        "\xEF\xBF\xBF",
                                        "\xF0\x8F\xBF\xBF",
                                        "\xF0\x90\x80\x80",
                                        "\xF4\x8F\xBF\xBF",
                                        "\xF4\x90\x80\x80",
                                        "\xF5\x80\x80\x80",
                                        "\xE7\x94",
                                        "\x80"};
    std::mt19937 rng(3);
    const unsigned char pool[] = {'a',  0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC0, 0xC2,
                                  0xDF, 0xE0, 0xED, 0xEF, 0xF0, 0xF4, 0xF5, 0xFF};
    for (int i = 0; i < 20000; ++i) {
        std::string s(rng() % 7, '\0');
        for (char& ch : s)
            ch = static_cast<char>(pool[rng() % sizeof pool]);
        samples.push_back(s);
    }
    for (const std::string& s : samples)
        EXPECT_EQ(IsValidUtf8(s), qtValid(s)) << QByteArray::fromStdString(s).toHex().data();
}

} // namespace
} // namespace kurvon
