#include "tests/support/event_queue.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>

namespace kreslix::testing {

void drainEvents() {
    // Bounded, so that a program that posts an event for each one it handles can't hang a test.
    for (int round = 0; round < 1000; ++round) {
        QCoreApplication::sendPostedEvents();
        if (!QAbstractEventDispatcher::instance()->processEvents(QEventLoop::AllEvents))
            return;
    }
}

}  // namespace kreslix::testing
