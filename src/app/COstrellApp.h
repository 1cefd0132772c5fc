#pragma once

#include "app/MainWindow.h"
#include "app/Preferences.h"
#include "connection/InterfaceSettingsSource.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qm {

class Clock;
class InstanceLock;
class MessageBoxHost;
class PortServices;
class PrinterConnection;
class SettingsRecord;

// The application object: exists for the whole run. It refuses a second running instance,
// chooses the interface language, loads the preferences, owns the list of model display names,
// the one settings record and the one printer connection, runs the main window and writes the
// changed preferences back when the main window closes. It is also the source of the stored
// interface settings that the connection's ConnectForOperation and Disconnect read.
//
// The GUI program's main():
//     qm::qt::QtHost host(...);               // any MessageBoxHost (ui::Host)
//     qm::COstrellApp app(host);
//     return app.Run([&](qm::COstrellApp& a) {
//         return std::make_unique<qm::COstrellDlg>(a, host);
//     });
// Run takes the single-instance lock (a second instance returns 10 at once and shows nothing),
// stores the user's language id, loads the preferences, builds the main window with the
// factory, runs it and returns its result.
class COstrellApp : public InterfaceSettingsSource {
public:
    // Exit code of a second instance.
    static constexpr int kExitAlreadyRunning = 10;

    // host shows the "Exit program?" question. It must outlive the application object.
    explicit COstrellApp(MessageBoxHost& host);
    // The same with the connection's clock and port services given (tests use a FakeClock and
    // their own port services).
    COstrellApp(MessageBoxHost& host, Clock& clock, PortServices& services);
    ~COstrellApp() override;
    COstrellApp(const COstrellApp&) = delete;
    COstrellApp& operator=(const COstrellApp&) = delete;

    // The application object alive most recently constructed (null when none): the one global
    // object, for code that cannot be handed a reference.
    static COstrellApp* Current();

    // Start-up, in this order: single-instance lock keyed on the executable's base name (held
    // elsewhere: exit code 10, nothing else happens); user language id; LoadPreferences; the
    // main window from makeWindow, run modally, its result stored as the exit code; then the
    // window is destroyed and the lock released. Always returns false (no message loop follows).
    bool InitInstance(const MainWindowFactory& makeWindow);
    // The stored exit code, as the process exit code.
    int ExitInstance();
    // InitInstance, then ExitInstance.
    int Run(const MainWindowFactory& makeWindow);

    // Fills both preference copies, the ini path and the model list from the ini file.
    void LoadPreferences();
    // Has the main window apply its interface selection, builds the change mask, asks "Exit
    // program?" (Yes/No, question icon). Returns 7 (nothing written) unless the answer is Yes;
    // otherwise writes the changed keys (none when nothing changed) and returns 1.
    int SavePreferences();

    // Preferences.
    const Preferences& LoadedPreferences() const { return loaded_; }
    Preferences& CurrentPreferences() { return current_; }
    const Preferences& CurrentPreferences() const { return current_; }
    int Region() const { return current_.region; }
    void SetRegion(int region) { current_.region = region; }
    const std::string& IniPath() const { return iniPath_; }

    // Model display names: 38 entries in model-table order; index = model index.
    int ModelCount() const { return static_cast<int>(modelNames_.size()); }
    // The name at index, empty outside 0..ModelCount()-1.
    std::u16string ModelName(int index) const;
    const std::vector<std::u16string>& ModelNames() const { return modelNames_; }
    // The index of the name equal (case-sensitive) to name, -1 when none.
    int ModelIndexOf(std::u16string_view name) const;

    // The user's default language id masked with 0x3ff (set by start-up).
    uint16_t UserLanguageId() const { return userLanguageId_; }
    void SetUserLanguageId(uint16_t id) { userLanguageId_ = static_cast<uint16_t>(id & 0x3ff); }

    // For port type PRT: the kind (2 COM, 3 LPT, 4 USB, 5 NET, else 0/1), address and TCP port
    // behind the selected driver queue; set by the main window.
    int32_t DriverPortKind() const override { return driverPortKind_; }
    void SetDriverPortKind(int kind) { driverPortKind_ = kind; }
    const std::u16string& DriverPortAddress() const { return driverPortAddress_; }
    void SetDriverPortAddress(std::u16string address) { driverPortAddress_ = std::move(address); }
    const std::u16string& DriverPortNumber() const { return driverPortNumber_; }
    void SetDriverPortNumber(std::u16string number) { driverPortNumber_ = std::move(number); }

    // The stored interface settings the connection reads (the current preferences).
    int32_t StoredPortType() const override { return current_.portType; }
    std::u16string StoredPortName() const override { return current_.portName; }
    SerialSettings StoredSerialSettings() const override { return current_.serial; }
    std::u16string StoredPortNumber() const override { return current_.portNumber; }

    SettingsRecord& Settings() { return *settings_; }
    PrinterConnection& Connection() { return *connection_; }
    MessageBoxHost& Host() { return host_; }

    int ExitCode() const { return exitCode_; }

    // The running main window (null outside its run); SavePreferences asks it to apply the
    // interface selection. Set by start-up; a main window built outside start-up (tests) may
    // register itself here.
    MainWindow* GetMainWindow() const { return mainWindow_; }
    void SetMainWindow(MainWindow* window) { mainWindow_ = window; }

    // Test and embedding hooks.
    // The single-instance lock name (default: the executable's base name without extension).
    void SetInstanceName(std::string name) { instanceName_ = std::move(name); }
    // The folder of the ini file (default: the module directory, see platform/Environment.h).
    void SetIniFolder(std::string folder) { iniFolder_ = std::move(folder); }
    // The host-name resolver of the NET change check (default: the system resolver).
    void SetHostNameResolver(HostNameResolver resolver) { resolver_ = std::move(resolver); }

private:
    MessageBoxHost& host_;
    Preferences loaded_;
    Preferences current_;
    std::string iniPath_;
    int driverPortKind_ = 0;
    std::u16string driverPortAddress_;
    std::u16string driverPortNumber_;
    std::vector<std::u16string> modelNames_;
    uint16_t userLanguageId_ = 0;
    std::unique_ptr<SettingsRecord> settings_;
    int exitCode_ = 0;
    std::unique_ptr<PrinterConnection> connection_;

    MainWindow* mainWindow_ = nullptr;
    std::string instanceName_;
    std::string iniFolder_;
    HostNameResolver resolver_;
};

} // namespace qm
