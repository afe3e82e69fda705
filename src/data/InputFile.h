#pragma once
// Reading a regular file's bytes: the one platform seam of the reader. POSIX calls where
// available (they tell folders, devices, pipes and read errors apart), standard streams elsewhere.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace kurvon {

class InputFile {
public:
    InputFile();
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Regular files only: folders, devices and pipes are refused.
    bool Open(const std::string& path);
    std::uint64_t Size() const { return m_size; }

    // Bytes read from offset into dst (0 at the end of the file), or -1 on a read error. Safe
    // to call from several threads at once: each parsing thread reads its own part.
    std::int64_t ReadAt(std::uint64_t offset, char* dst, std::size_t count) const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
    std::uint64_t m_size = 0;
};

} // namespace kurvon
