#pragma once
// The program's one seam to the operating system for files and memory: reading a regular file
// at an offset, the file's state for change checks, the machine's memory and a hint for large
// blocks. One implementation for POSIX, one for Windows; paths are UTF-8 on both.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace kurvon {

// What a change check compares: size, last write time and which file it is (device and file
// number, or volume serial and file index), so a file renamed over the old one is told apart.
struct FileStamp {
    std::uint64_t size = 0;
    std::int64_t modified = 0; // in the platform's finest unit
    std::uint64_t volume = 0;
    std::uint64_t fileId = 0;

    bool SameFile(const FileStamp& other) const {
        return volume == other.volume && fileId == other.fileId;
    }
};

class ReadOnlyFile {
public:
    ReadOnlyFile();
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    // Regular files only: folders, devices and pipes are refused. Others may go on writing,
    // renaming or deleting the file while it is open.
    bool Open(const std::string& utf8Path);
    bool IsOpen() const;

    // The open file's state, read from the handle (not the path); empty when it cannot be read.
    std::optional<FileStamp> Stamp() const;

    // Bytes read from offset into dst (0 at the end of the file), or -1 on a read error. Safe
    // to call from several threads at once.
    std::int64_t ReadAt(std::uint64_t offset, char* dst, std::size_t count) const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

// The state of whatever the path names now; empty when nothing readable is there.
std::optional<FileStamp> StampOfPath(const std::string& utf8Path);

// Installed physical memory in bytes; a generous guess where the platform cannot tell.
std::uint64_t PhysicalMemoryBytes();

// Readies a large block that is about to be written whole, such as a value column: asks for huge
// pages under it and maps it in with one call where the platform can. Filling a gigabyte page
// fault by page fault costs a quarter of a million faults and, measured, about ten times the
// system time. A hint; ignored for small blocks and where unsupported.
void PrepareLargeBlock(void* data, std::size_t size);

// Address space for a block that grows in place: reserved whole, usable up to what has been
// committed. A growing value column then never moves, so growth copies nothing. Reserve gives
// null when the space cannot be had; Commit makes [data, data + size) usable (false when the
// memory is not there); Release gives back the whole reservation.
void* ReserveAddressSpace(std::size_t size);
bool CommitAddressSpace(void* data, std::size_t size);
void ReleaseAddressSpace(void* data, std::size_t size);

} // namespace kurvon
