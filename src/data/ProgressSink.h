#pragma once
// Where a load reports its progress.

namespace kurvon {

// Receives progress positions. Only called when the position differs from the last one sent;
// positions are clamped to 0..100. Called on the loader's thread.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void SetPosition(int position) = 0;
    virtual void Show() = 0; // after position 0, before the file is opened
};

} // namespace kurvon
