#include "app/FileProblems.h"

#include "data/LineChunks.h"
#include "platform/Utf8Path.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace kurvon {
namespace {

std::string TooFewRecordsText(const std::string& path) {
    return path + " has too few records: fewer than two data records";
}

} // namespace

std::string DataFileProblem(const std::string& path) {
    namespace fs = std::filesystem;
    if (path.empty())
        return "no data file named";
    std::error_code error;
    const fs::file_status status = fs::status(PathFromUtf8(path), error);
    if (error)
        return "cannot open " + path + ": " + error.message();
    if (fs::is_directory(status))
        return path + " is a folder, not a data file";
    // Not opened: opening a pipe for reading waits for a writer.
    if (!fs::is_regular_file(status))
        return path + " is not a regular file (a pipe, a device or a socket), not a data file";
#ifdef _WIN32
    std::FILE* file = _wfopen(PathFromUtf8(path).c_str(), L"rb");
#else
    std::FILE* file = std::fopen(path.c_str(), "rb");
#endif
    if (!file)
        return "cannot open " + path + ": " + std::generic_category().message(errno);
    std::fclose(file);
    if (fs::file_size(PathFromUtf8(path), error) == 0 && !error)
        return path + " is empty: a data file holds a header line, a names line and records";
    return {};
}

std::string LoadFailureText(LoadStatus status, const std::string& path) {
    switch (status) {
    case LoadStatus::CannotOpen: {
        const std::string problem = DataFileProblem(path);
        return problem.empty() ? "cannot read " + path : problem;
    }
    case LoadStatus::TooFewRecords:
        return TooFewRecordsText(path);
    case LoadStatus::OutOfMemory:
        return path + " is too large to load: not enough memory";
    case LoadStatus::Cancelled:
        return "loading " + path + " was cancelled";
    case LoadStatus::FileChanged:
        return path + " was cut short or rewritten while it loaded: nothing loaded, open it again";
    case LoadStatus::LineTooLong:
        return path + " has a line longer than " + std::to_string(kMaxLineBytes >> 20) +
               " MB: not a data file";
    case LoadStatus::Loaded:
        break;
    }
    return "cannot load " + path;
}

} // namespace kurvon
