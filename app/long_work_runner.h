#pragma once

#include <QString>
#include <QWidget>

#include "common/long_work.h"

namespace kreslix {

// Runs `job` on a thread of its own while the window waits for it as for a modal step: the busy
// cursor at once, the pictures keep repainting, user input to every window is held back, and
// Escape asks the job to stop. A job still running after half a second gets a small modal
// progress window titled `title`, with a bar and "Zrušiť" (or Escape, or its close box) to ask
// for a stop. Returns true when the job ran to its end, false when it stopped on request
// (threw WorkStopped); any other failure of the job is thrown again here, on the window's
// thread.
bool runLongWorkWaiting(QWidget* window, const QString& title, const LongJob& job);

}  // namespace kreslix
