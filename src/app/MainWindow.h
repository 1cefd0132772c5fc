#pragma once

#include <functional>
#include <memory>

namespace qm {

class COstrellApp;

// What start-up and the application object need from the main window. The main window
// (COstrellDlg) implements it; tests use a small stand-in.
class MainWindow {
public:
    virtual ~MainWindow() = default;

    // Runs the window modally until it ends; returns its result, which becomes the process exit
    // code (0 after the Exit button).
    virtual int RunMainWindow() = 0;

    // Copies the controls of the selected interface into the application's current preferences
    // (port type, port name, COM settings, port number). SavePreferences calls it first.
    virtual void ApplyInterfaceSelection() = 0;
};

// Builds the main window for the application object. Start-up calls it once, after the
// preferences are loaded; the window lives until its modal run has ended.
using MainWindowFactory = std::function<std::unique_ptr<MainWindow>(COstrellApp& app)>;

} // namespace qm
