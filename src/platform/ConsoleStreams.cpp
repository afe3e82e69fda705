#include "platform/ConsoleStreams.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <iostream>
#include <streambuf>
#include <string>
#endif

namespace kurvon {

#ifdef _WIN32
namespace {

// Bytes of text that end in a whole UTF-8 sequence; a split one waits for its rest.
std::size_t WholeUtf8Prefix(const std::string& text) {
    const std::size_t size = text.size();
    for (std::size_t back = 1; back <= 4 && back <= size; ++back) {
        const unsigned char byte = static_cast<unsigned char>(text[size - back]);
        if ((byte & 0xC0) == 0x80)
            continue; // a continuation byte: look further back for the lead
        const std::size_t need = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return need > back ? size - back : size;
    }
    return size; // not UTF-8 at all: let the converter replace it
}

// UTF-8 in, WriteConsoleW out.
class ConsoleBuffer : public std::streambuf {
public:
    explicit ConsoleBuffer(HANDLE console) : m_console(console) { setp(m_bytes, m_bytes + kSize); }

protected:
    int overflow(int c) override {
        if (!Flush())
            return traits_type::eof();
        if (c != traits_type::eof()) {
            *pptr() = static_cast<char>(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override { return Flush() ? 0 : -1; }

private:
    bool Flush() {
        m_pending.append(pbase(), pptr());
        setp(m_bytes, m_bytes + kSize);
        const std::size_t whole = WholeUtf8Prefix(m_pending);
        if (whole == 0)
            return true;
        const int length =
            ::MultiByteToWideChar(CP_UTF8, 0, m_pending.data(), int(whole), nullptr, 0);
        std::wstring wide(std::size_t(length), L'\0');
        ::MultiByteToWideChar(CP_UTF8, 0, m_pending.data(), int(whole), wide.data(), length);
        m_pending.erase(0, whole);
        for (std::size_t done = 0; done < wide.size();) {
            DWORD written = 0;
            if (!::WriteConsoleW(m_console, wide.data() + done, DWORD(wide.size() - done), &written,
                                 nullptr) ||
                written == 0)
                return false;
            done += written;
        }
        return true;
    }

    static constexpr int kSize = 4096;
    HANDLE m_console;
    char m_bytes[kSize];
    std::string m_pending;
};

void SetUp(DWORD which, std::FILE* file, std::ostream& stream) {
    const HANDLE handle = ::GetStdHandle(which);
    DWORD mode = 0;
    if (handle != INVALID_HANDLE_VALUE && handle != nullptr && ::GetConsoleMode(handle, &mode)) {
        stream.flush();
        stream.rdbuf(new ConsoleBuffer(handle)); // never freed: the stream flushes it at exit
    } else {
        std::fflush(file);
        _setmode(_fileno(file), _O_BINARY);
    }
}

} // namespace

void SetUpStandardStreams() {
    SetUp(STD_OUTPUT_HANDLE, stdout, std::cout);
    SetUp(STD_ERROR_HANDLE, stderr, std::cerr);
}
#else
void SetUpStandardStreams() {}
#endif

} // namespace kurvon
