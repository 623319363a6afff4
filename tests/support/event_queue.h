#pragma once

namespace kreslix::testing {

// Delivers every event waiting in this thread's queue, also those posted while delivering,
// until none is left: whatever the events already queued would do has then been done.
void drainEvents();

}  // namespace kreslix::testing
