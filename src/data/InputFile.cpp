#include "data/InputFile.h"

#if defined(__unix__) || defined(__APPLE__)
#define KURVON_POSIX_FILES 1
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <filesystem>
#include <fstream>
#include <mutex>
#endif

namespace kurvon {

#ifdef KURVON_POSIX_FILES

struct InputFile::Impl {
    int fd = -1;
    struct timespec modified {};
};

namespace {

struct timespec ModificationTime(const struct stat& info) {
#ifdef __APPLE__
    return info.st_mtimespec;
#else
    return info.st_mtim;
#endif
}

} // namespace

InputFile::InputFile() : m_impl(std::make_unique<Impl>()) {}

InputFile::~InputFile() {
    if (m_impl->fd >= 0)
        ::close(m_impl->fd);
}

bool InputFile::Open(const std::string& path) {
    // Non-blocking, so that opening a pipe with no writer cannot hang; it is refused below.
    int flags = O_RDONLY | O_NONBLOCK;
#ifdef O_CLOEXEC
    flags |= O_CLOEXEC;
#endif
    const int fd = ::open(path.c_str(), flags);
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
    m_impl->fd = fd;
    m_impl->modified = ModificationTime(info);
    m_size = static_cast<std::uint64_t>(info.st_size);
    return true;
}

bool InputFile::ChangedSinceOpen() const {
    struct stat info {};
    if (::fstat(m_impl->fd, &info) != 0)
        return true;
    const auto size = static_cast<std::uint64_t>(info.st_size);
    const struct timespec modified = ModificationTime(info);
    return size < m_size || (size == m_size && (modified.tv_sec != m_impl->modified.tv_sec ||
                                                modified.tv_nsec != m_impl->modified.tv_nsec));
}

std::int64_t InputFile::ReadAt(std::uint64_t offset, char* dst, std::size_t count) const {
    for (;;) {
        const ssize_t n = ::pread(m_impl->fd, dst, count, static_cast<off_t>(offset));
        if (n >= 0)
            return n;
        if (errno != EINTR)
            return -1;
    }
}

#else

struct InputFile::Impl {
    std::mutex mutex; // one stream position for all readers
    std::ifstream stream;
    std::filesystem::path path;
    std::filesystem::file_time_type modified;
};

InputFile::InputFile() : m_impl(std::make_unique<Impl>()) {}

InputFile::~InputFile() = default;

bool InputFile::Open(const std::string& path) {
    // Paths arrive as UTF-8.
    const std::filesystem::path fsPath(
        std::u8string(reinterpret_cast<const char8_t*>(path.data()), path.size()));
    std::error_code error;
    if (!std::filesystem::is_regular_file(fsPath, error))
        return false;
    const auto size = std::filesystem::file_size(fsPath, error);
    if (error)
        return false;
    const auto modified = std::filesystem::last_write_time(fsPath, error);
    if (error)
        return false;
    m_impl->stream.open(fsPath, std::ios::binary);
    if (!m_impl->stream)
        return false;
    m_impl->path = fsPath;
    m_impl->modified = modified;
    m_size = size;
    return true;
}

bool InputFile::ChangedSinceOpen() const {
    std::error_code sizeError, timeError;
    const auto size = std::filesystem::file_size(m_impl->path, sizeError);
    const auto modified = std::filesystem::last_write_time(m_impl->path, timeError);
    return sizeError || timeError || size < m_size ||
           (size == m_size && modified != m_impl->modified);
}

std::int64_t InputFile::ReadAt(std::uint64_t offset, char* dst, std::size_t count) const {
    const std::lock_guard<std::mutex> lock(m_impl->mutex);
    m_impl->stream.clear();
    m_impl->stream.seekg(static_cast<std::streamoff>(offset));
    m_impl->stream.read(dst, static_cast<std::streamsize>(count));
    const std::streamsize n = m_impl->stream.gcount();
    if (m_impl->stream.bad())
        return -1;
    return n;
}

#endif

} // namespace kurvon
