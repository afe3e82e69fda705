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

    // Whether the file is no longer what was opened, other than by growing: shorter now, or the
    // same size with a new modification time (rewritten in place). A longer file has grown. A
    // rewrite within the clock tick of the last modification keeps the time and goes unseen here.
    bool ChangedSinceOpen() const;

    // Bytes read from offset into dst (0 at the end of the file), or -1 on a read error. Safe
    // to call from several threads at once: each parsing thread reads its own part.
    std::int64_t ReadAt(std::uint64_t offset, char* dst, std::size_t count) const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
    std::uint64_t m_size = 0;
};

} // namespace kurvon
