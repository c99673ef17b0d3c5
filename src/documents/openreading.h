#pragma once

class frmMain;

namespace documents {

// Asks for a saved reading, puts its twelve details back into the main window and shows the
// Comprehensive reading of them.
void OpenSavedReading(frmMain *main);

} // namespace documents
