#pragma once

class QAbstractButton;

namespace vl {

// Draws a toolbar button grey until the mouse is over it, or normally again.
void SetButtonGrey(QAbstractButton& button, bool grey);
bool ButtonGrey(const QAbstractButton& button);

} // namespace vl
