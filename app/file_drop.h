#pragma once

#include <QString>
#include <optional>

class QDropEvent;
class QMimeData;

namespace kreslix {

// The picture file a drag carries: exactly one local file whose name ends in .bmp, .jpg or
// .jpeg (any letter case, as Open reads them); nothing for anything else.
std::optional<QString> draggedPictureFile(const QMimeData& data);

// Accepts a drag or drop of one picture file as a copy, so the dragging program never removes
// the file; anything else is refused, which the cursor shows. Gives the file when accepted.
std::optional<QString> acceptPictureDrop(QDropEvent& event);

}  // namespace kreslix
