#pragma once

class QBoxLayout;
class QWidget;

namespace kreslix {

// Shows or hides a panel docked to an edge. A panel that is shown again is docked outermost on
// its edge: last in the edge's layout, beyond every other panel docked there.
void setPanelShown(QBoxLayout* edge, QWidget* panel, bool shown);

}  // namespace kreslix
