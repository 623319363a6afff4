#pragma once

#include <optional>

#include "canvas/colour.h"

class QColorDialog;

namespace kreslix {

// Shows a colour dialog opened on `start`; the confirmed colour, or nothing when cancelled.
std::optional<Colour> runColourDialog(QColorDialog* dialog, Colour start);

}  // namespace kreslix
