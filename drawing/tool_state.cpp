#include "drawing/tool_state.h"

namespace kreslix {

void ToolState::setForeground(Colour c) {
    foreground_ = c;
    emit foregroundChanged(c);
}

void ToolState::setBackground(Colour c) {
    background_ = c;
    emit backgroundChanged(c);
}

}  // namespace kreslix
