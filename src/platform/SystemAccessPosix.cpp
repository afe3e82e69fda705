#include "platform/SystemAccess.h"

#if !defined(_WIN32)

#include <cerrno>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kurvon {

namespace {

FileStamp StampOf(const struct stat& info) {
#ifdef __APPLE__
    const struct timespec modified = info.st_mtimespec;
#else
    const struct timespec modified = info.st_mtim;
#endif
    FileStamp stamp;
    stamp.size = static_cast<std::uint64_t>(info.st_size);
    stamp.modified = static_cast<std::int64_t>(modified.tv_sec) * 1000000000 + modified.tv_nsec;
    stamp.volume = static_cast<std::uint64_t>(info.st_dev);
    stamp.fileId = static_cast<std::uint64_t>(info.st_ino);
    return stamp;
}

} // namespace

struct ReadOnlyFile::Impl {
    int fd = -1;
};

ReadOnlyFile::ReadOnlyFile() : m_impl(std::make_unique<Impl>()) {}

ReadOnlyFile::~ReadOnlyFile() {
    if (m_impl->fd >= 0)
        ::close(m_impl->fd);
}

bool ReadOnlyFile::Open(const std::string& utf8Path) {
    // Non-blocking, so that opening a pipe with no writer cannot hang; it is refused below.
    int flags = O_RDONLY | O_NONBLOCK;
#ifdef O_CLOEXEC
    flags |= O_CLOEXEC;
#endif
    const int fd = ::open(utf8Path.c_str(), flags);
    if (fd < 0)
        return false;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return false;
    }
    const int statusFlags = ::fcntl(fd, F_GETFL);
    if (statusFlags != -1)
        ::fcntl(fd, F_SETFL, statusFlags & ~O_NONBLOCK);
#if defined(POSIX_FADV_SEQUENTIAL) && !defined(__APPLE__)
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
#endif
    if (m_impl->fd >= 0)
        ::close(m_impl->fd);
    m_impl->fd = fd;
    return true;
}

bool ReadOnlyFile::IsOpen() const {
    return m_impl->fd >= 0;
}

std::optional<FileStamp> ReadOnlyFile::Stamp() const {
    struct stat info {};
    if (m_impl->fd < 0 || ::fstat(m_impl->fd, &info) != 0)
        return std::nullopt;
    return StampOf(info);
}

std::int64_t ReadOnlyFile::ReadAt(std::uint64_t offset, char* dst, std::size_t count) const {
    for (;;) {
        const ssize_t n = ::pread(m_impl->fd, dst, count, static_cast<off_t>(offset));
        if (n >= 0)
            return n;
        if (errno != EINTR)
            return -1;
    }
}

std::optional<FileStamp> StampOfPath(const std::string& utf8Path) {
    struct stat info {};
    if (::stat(utf8Path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return StampOf(info);
}

std::uint64_t PhysicalMemoryBytes() {
#if defined(_SC_PHYS_PAGES) && defined(_SC_PAGESIZE)
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages > 0 && pageSize > 0)
        return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize);
#endif
    return std::uint64_t(8) << 30;
}

void PrepareLargeBlock([[maybe_unused]] void* data, [[maybe_unused]] std::size_t size) {
#if defined(__linux__)
    constexpr std::size_t kHugePage = std::size_t(1) << 21;
    if (size < kHugePage)
        return; // small blocks live in the ordinary heap: leave it alone
    // madvise wants a page-aligned start: round inwards.
    constexpr std::uintptr_t kPage = 4096;
    const auto begin = (reinterpret_cast<std::uintptr_t>(data) + kPage - 1) & ~(kPage - 1);
    const auto end = reinterpret_cast<std::uintptr_t>(data) + size;
    if (end <= begin)
        return;
#if defined(MADV_HUGEPAGE)
    ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#endif
#if defined(MADV_POPULATE_WRITE)
    // Kernels before 5.14 refuse it; the pages then fault in as they are written.
    ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
#endif
#endif
}

void* ReserveAddressSpace(std::size_t size) {
    // Readable and writable at once: untouched pages take no memory, and one mapping per block
    // keeps well inside the system's limit on mappings.
    int flags = MAP_PRIVATE | MAP_ANONYMOUS;
#ifdef MAP_NORESERVE
    flags |= MAP_NORESERVE;
#endif
    void* p = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, flags, -1, 0);
    return p == MAP_FAILED ? nullptr : p;
}

bool CommitAddressSpace(void*, std::size_t) {
    return true; // pages come as they are first written
}

void ReleaseAddressSpace(void* data, std::size_t size) {
    if (data)
        ::munmap(data, size);
}

} // namespace kurvon

#endif
