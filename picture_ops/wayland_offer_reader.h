#pragma once

#include <memory>

#include "picture_ops/clipboard_reader.h"

namespace kreslix {

// Reads the Wayland selection through a data device of its own on the window's connection, with
// an event queue of its own, so that the window's thread never waits for the owner: the offer's
// types come with the device, the bytes through a pipe read on the reading thread. The window's
// connection is used because a compositor gives the selection only to the client that has the
// keyboard focus. Nothing when the program does not run on Wayland.
std::unique_ptr<ClipboardReader> makeWaylandOfferReader();

}  // namespace kreslix
