#pragma once
// Reading a data file's bytes for the reader: a regular file read at offsets, and whether it is
// still what was opened. The operating system is reached through platform/SystemAccess.

#include "platform/SystemAccess.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace kurvon {

class InputFile {
public:
    // Regular files only: folders, devices and pipes are refused. The path is UTF-8.
    bool Open(const std::string& path);
    std::uint64_t Size() const { return m_opened.size; }
    const FileStamp& Opened() const { return m_opened; }

    // Whether the file is no longer what was opened, other than by growing: shorter now, or the
    // same size with a new modification time (rewritten in place). A longer file has grown. A
    // rewrite within the clock tick of the last modification keeps the time and goes unseen here.
    bool ChangedSinceOpen() const;
    // Whether anything was written to it since it was opened, growing included.
    bool WrittenSinceOpen() const;

    // Bytes read from offset into dst (0 at the end of the file), or -1 on a read error. Safe
    // to call from several threads at once: each parsing thread reads its own part.
    std::int64_t ReadAt(std::uint64_t offset, char* dst, std::size_t count) const {
        return m_file.ReadAt(offset, dst, count);
    }

private:
    ReadOnlyFile m_file;
    FileStamp m_opened;
};

} // namespace kurvon
