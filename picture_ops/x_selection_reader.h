#pragma once

#include <xcb/xcb.h>

#include "picture_ops/clipboard_reader.h"

namespace kreslix {

// Reads the CLIPBOARD selection of the X display in $DISPLAY over a connection of its own, so
// that the window's connection and thread never wait for the owner: an unmapped window of its
// own receives the conversions (TARGETS, then the chosen type, in pieces by the INCR protocol
// when the owner sends it so). The connection is opened on first use, on the reading thread.
class XSelectionReader : public ClipboardReader {
public:
    XSelectionReader() = default;
    ~XSelectionReader() override;
    XSelectionReader(const XSelectionReader&) = delete;
    XSelectionReader& operator=(const XSelectionReader&) = delete;

    std::optional<QStringList> offeredTypes(WorkProgress& progress) override;
    std::optional<QByteArray> read(const QString& type, WorkProgress& progress,
                                   const ReceivedCheck& received) override;

private:
    // Opens the connection and makes the window; false when there is no display.
    bool open();
    xcb_atom_t atom(const char* name, qsizetype length = -1);
    // Asks the owner to convert the selection to the target into the window's property and
    // waits for its answer: the property's type, or none when the owner refused, or nothing
    // when it did not answer in time.
    std::optional<xcb_atom_t> convert(xcb_atom_t target, WorkProgress& progress);
    // The next event, waiting at most the silence limit; null when none came.
    xcb_generic_event_t* nextEvent(WorkProgress& progress);
    // Appends the property's value to `bytes`, in pieces, and deletes it.
    void takeProperty(QByteArray& bytes, WorkProgress& progress, const ReceivedCheck& received,
                      qint64 announcedSize);
    // Receives the pieces of an INCR transfer until the empty one; false when the owner fell
    // silent.
    bool takeIncremental(QByteArray& bytes, WorkProgress& progress, const ReceivedCheck& received);

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t window_ = XCB_NONE;
    xcb_atom_t clipboard_ = XCB_NONE;
    xcb_atom_t property_ = XCB_NONE;
    xcb_atom_t incr_ = XCB_NONE;
};

}  // namespace kreslix
