#pragma once
// Writes all the bytes or fails with the device's reason. A write cut short (at a file-size
// limit or on a full disk) returns fewer bytes and sets no error; the next write says why.

#include <QIODevice>

namespace kurvon {

inline bool WriteWhole(QIODevice& device, const char* bytes, qint64 size) {
    for (qint64 done = 0; done < size;) {
        const qint64 n = device.write(bytes + done, size - done);
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

} // namespace kurvon
