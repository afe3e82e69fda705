#pragma once

namespace kurvon {

// How a pass over the file ended: every reader of the file reports it the same way, so the loader
// turns it into a load status in one place.
enum class PassOutcome { Done, Cancelled, ReadError, Changed };

} // namespace kurvon
