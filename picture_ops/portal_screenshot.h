#pragma once

#include <QDBusConnection>
#include <QImage>
#include <chrono>

namespace kreslix {

// How long a screenshot request may go unanswered. A non-interactive capture answers well within
// a second, but the portal may first ask the user in a dialog of its own whether the program may
// take screenshots, and a person must have time to read and answer that; a portal that hangs
// ends the wait after this.
constexpr std::chrono::milliseconds kPortalTimeLimit{30000};

// The whole desktop, through the desktop portal (org.freedesktop.portal.Screenshot, not
// interactive): the PNG it makes, read at its own size in device pixels, and then removed unless
// it was there before the request. The portal answers by a signal; until it does, the event loop
// keeps running, user input included.
//
// Fails with "Cannot capture the screen: ..." when there is no portal on the bus, the portal
// fails or gives no readable picture, or it does not answer within the time limit. Ends with a
// silent abort when the user declines in the portal's dialog, when a capture is already under
// way (one started from the event loop while this one waits), and when the program quits while
// waiting.
QImage portalScreenshot(std::chrono::milliseconds timeLimit = kPortalTimeLimit,
                        QDBusConnection bus = QDBusConnection::sessionBus());

}  // namespace kreslix
