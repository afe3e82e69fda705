#include "app/CsvOutput.h"

#include "platform/WriteWhole.h"

#include <QFileInfo>
#include <QSaveFile>

namespace kurvon {

std::string WriteCsvOutput(const std::string& path, std::ostream& out,
                           const std::function<bool(bool bom, const CsvSink&)>& produce) {
    if (path == "-") {
        const bool written = produce(false, [&out](const char* bytes, std::size_t size) {
            out.write(bytes, static_cast<std::streamsize>(size));
            return static_cast<bool>(out);
        });
        out.flush();
        return written && out ? std::string() : "cannot write to standard output";
    }
    const QString given = QString::fromUtf8(path);
    const QFileInfo info(given);
    if (info.exists() && !info.isFile())
        return "cannot write " + path + ": not a regular file";
    QSaveFile file(info.isSymLink() ? info.symLinkTarget() : given);
    if (!file.open(QIODevice::WriteOnly))
        return "cannot write " + path + ": " + file.errorString().toStdString();
    const bool written = produce(true, [&file](const char* bytes, std::size_t size) {
        return WriteWhole(file, bytes, static_cast<qint64>(size));
    });
    if (!written) {
        const std::string reason = file.errorString().toStdString();
        file.cancelWriting();
        return "cannot write " + path + ": " + reason;
    }
    if (!file.commit())
        return "cannot write " + path + ": " + file.errorString().toStdString();
    return {};
}

} // namespace kurvon
