#include "data/InputFile.h"

namespace kurvon {

bool InputFile::Open(const std::string& path) {
    if (!m_file.Open(path))
        return false;
    const std::optional<FileStamp> stamp = m_file.Stamp();
    if (!stamp)
        return false;
    m_opened = *stamp;
    return true;
}

bool InputFile::ChangedSinceOpen() const {
    const std::optional<FileStamp> now = m_file.Stamp();
    if (!now)
        return true;
    return now->size < m_opened.size ||
           (now->size == m_opened.size && now->modified != m_opened.modified);
}

bool InputFile::WrittenSinceOpen() const {
    const std::optional<FileStamp> now = m_file.Stamp();
    return !now || now->size != m_opened.size || now->modified != m_opened.modified;
}

} // namespace kurvon
