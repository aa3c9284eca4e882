#pragma once

class QMessageBox;

namespace Alerts {

// A message box takes its width from its short heading, which wraps a long message into a
// narrow column. This gives the message (set before) the width of a readable paragraph.
void fitMessage(QMessageBox* box);

} // namespace Alerts
