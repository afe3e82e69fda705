#pragma once
// Follows a data file that another program appends to: each look opens the file anew, checks
// that what was read is still there unchanged, and parses the complete lines appended since,
// by the same rules as a load (line rule, Ctrl-Z, field rule, the tab mode the load chose). A
// last line without line end is held back until its line end comes, or until the caller
// settles it: then it counts as a record, as a load would count it, but stays provisional and
// is read again if the file grows after all. Runs on any one thread; work is proportional to
// what was appended.

#include "data/FollowPoint.h"
#include "data/Growth.h"

#include <cstddef>
#include <string>

namespace kurvon {

class FollowReader {
public:
    FollowReader(std::string path, FollowPoint point);

    // One look. settle: a held-back last line becomes a record now. At most maxBytes are read;
    // More() then says that the file has more. Memory that cannot be had gives OutOfMemory.
    Growth Look(bool settle, std::size_t maxBytes = std::size_t(16) << 20);

    bool More() const { return m_more; }
    // A last line without line end waits for its end.
    bool HoldsBack() const { return !m_point.provisional && !m_point.held.empty(); }
    const FollowPoint& Point() const { return m_point; }

private:
    Growth LookAt(bool settle, std::size_t maxBytes);
    GrowthKind CheckStamp(const FileStamp& now) const;
    Growth Parse(const std::string& text, std::size_t parseEnd, bool last, std::size_t tailStart,
                 std::uint64_t endOffset);

    std::string m_path;
    FollowPoint m_point;
    bool m_more = false;
};

} // namespace kurvon
