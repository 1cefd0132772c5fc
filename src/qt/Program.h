#pragma once

class QApplication;

namespace qm::qt {

class QtHost;

// Application-wide settings of the GUI: name, version, icon and the dialog font (with the CJK
// fonts as fallback so Japanese, Chinese and Korean texts render).
void SetUpApplication(QApplication& app);

// Runs the program's start-up (single instance, language, preferences) and the main window on
// host; returns the process exit code.
int RunProgram(QtHost& host);

} // namespace qm::qt
