// Name decoding on arbitrary bytes: the encoding chosen for a names line agrees with a
// validator written from the UTF-8 rules, and whatever the bytes, the decoded text is valid
// UTF-8 (valid UTF-8 comes out unchanged).

#include "platform/NameEncoding.h"
#include "platform/TextDecode.h"

#include "FuzzCheck.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace {

// Well-formed UTF-8 as Unicode's table 3-7 lists it.
bool WellFormed(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]); };
        const unsigned c = b(0);
        std::size_t n = 0;
        unsigned lo = 0x80, hi = 0xBF;
        if (c < 0x80)
            n = 1;
        else if (c >= 0xC2 && c <= 0xDF)
            n = 2;
        else if (c >= 0xE0 && c <= 0xEF) {
            n = 3;
            lo = c == 0xE0 ? 0xA0 : 0x80;
            hi = c == 0xED ? 0x9F : 0xBF;
        } else if (c >= 0xF0 && c <= 0xF4) {
            n = 4;
            lo = c == 0xF0 ? 0x90 : 0x80;
            hi = c == 0xF4 ? 0x8F : 0xBF;
        } else
            return false;
        if (i + n > s.size())
            return false;
        for (std::size_t k = 1; k < n; ++k) {
            const unsigned t = b(k);
            if (t < (k == 1 ? lo : 0x80) || t > (k == 1 ? hi : 0xBF))
                return false;
        }
        i += n;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kurvon;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const bool valid = WellFormed(bytes);
    FUZZ_CHECK(IsValidUtf8(bytes) == valid);
    // A names line is judged whole: one bad name makes the whole line GBK.
    const std::vector<std::string> names{"U", std::string(bytes), "I"};
    const TextEncoding encoding = NamesEncoding(names);
    FUZZ_CHECK((encoding == TextEncoding::Utf8) == valid);

    for (TextEncoding e : {TextEncoding::Utf8, TextEncoding::Gbk}) {
        const std::string decoded = DecodeTextToUtf8(bytes, e);
        FUZZ_CHECK(WellFormed(decoded));
        FUZZ_CHECK(decoded == DecodeText(bytes, e).toStdString());
        if (e == TextEncoding::Utf8 && valid)
            FUZZ_CHECK(decoded == bytes);
        // ASCII stays itself in both encodings.
        bool ascii = true;
        for (char c : bytes)
            ascii = ascii && static_cast<unsigned char>(c) < 0x80;
        if (ascii)
            FUZZ_CHECK(decoded == bytes);
    }
    return 0;
}
