#include "platform/SystemAccess.h"

#if defined(_WIN32)

#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>

namespace kurvon {

namespace {

// UTF-8 to UTF-16 for the wide API: no path goes through the ANSI code page.
std::wstring Wide(const std::string& utf8) {
    if (utf8.empty())
        return {};
    const int length = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                             static_cast<int>(utf8.size()), nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()),
                          wide.data(), length);
    return wide;
}

// Others may write, rename or delete the file while we read it (a rig appending to it).
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::optional<FileStamp> StampOfHandle(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(handle, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return std::nullopt;
    FileStamp stamp;
    stamp.size = (std::uint64_t(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    stamp.modified =
        static_cast<std::int64_t>((std::uint64_t(info.ftLastWriteTime.dwHighDateTime) << 32) |
                                  info.ftLastWriteTime.dwLowDateTime);
    stamp.volume = info.dwVolumeSerialNumber;
    stamp.fileId = (std::uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return stamp;
}

} // namespace

struct ReadOnlyFile::Impl {
    HANDLE handle = INVALID_HANDLE_VALUE;
};

ReadOnlyFile::ReadOnlyFile() : m_impl(std::make_unique<Impl>()) {}

ReadOnlyFile::~ReadOnlyFile() {
    if (m_impl->handle != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_impl->handle);
}

bool ReadOnlyFile::Open(const std::string& utf8Path) {
    const std::wstring path = Wide(utf8Path);
    if (path.empty())
        return false;
    // Folders cannot be opened without FILE_FLAG_BACKUP_SEMANTICS: they fail here.
    const HANDLE handle = ::CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    if (::GetFileType(handle) != FILE_TYPE_DISK || !StampOfHandle(handle)) {
        ::CloseHandle(handle);
        return false;
    }
    if (m_impl->handle != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_impl->handle);
    m_impl->handle = handle;
    return true;
}

bool ReadOnlyFile::IsOpen() const {
    return m_impl->handle != INVALID_HANDLE_VALUE;
}

std::optional<FileStamp> ReadOnlyFile::Stamp() const {
    if (m_impl->handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    return StampOfHandle(m_impl->handle);
}

std::int64_t ReadOnlyFile::ReadAt(std::uint64_t offset, char* dst, std::size_t count) const {
    // An OVERLAPPED offset on a synchronous handle: no shared file position, so parsing threads
    // may read their parts at once.
    std::size_t done = 0;
    while (done < count) {
        OVERLAPPED at{};
        const std::uint64_t position = offset + done;
        at.Offset = static_cast<DWORD>(position & 0xFFFFFFFFu);
        at.OffsetHigh = static_cast<DWORD>(position >> 32);
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(count - done, 1u << 30));
        DWORD got = 0;
        if (!::ReadFile(m_impl->handle, dst + done, want, &got, &at)) {
            if (::GetLastError() == ERROR_HANDLE_EOF)
                break;
            return -1;
        }
        done += got;
        if (got < want)
            break;
    }
    return static_cast<std::int64_t>(done);
}

std::optional<FileStamp> StampOfPath(const std::string& utf8Path) {
    const std::wstring path = Wide(utf8Path);
    if (path.empty())
        return std::nullopt;
    // No access rights needed to read the attributes.
    const HANDLE handle =
        ::CreateFileW(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::optional<FileStamp> stamp = StampOfHandle(handle);
    ::CloseHandle(handle);
    return stamp;
}

std::uint64_t PhysicalMemoryBytes() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (::GlobalMemoryStatusEx(&status))
        return status.ullTotalPhys;
    return std::uint64_t(8) << 30;
}

// No huge pages: they need a privilege ordinary users lack.
void PrepareLargeBlock(void*, std::size_t) {}

void* ReserveAddressSpace(std::size_t size) {
    return ::VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS);
}

bool CommitAddressSpace(void* data, std::size_t size) {
    return size == 0 || ::VirtualAlloc(data, size, MEM_COMMIT, PAGE_READWRITE) != nullptr;
}

void ReleaseAddressSpace(void* data, std::size_t) {
    if (data)
        ::VirtualFree(data, 0, MEM_RELEASE);
}

} // namespace kurvon

#endif
