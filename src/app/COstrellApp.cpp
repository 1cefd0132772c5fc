#include "app/COstrellApp.h"

#include "platform/AtomicFile.h"

#include "connection/PrinterConnection.h"
#include "discovery/SystemPortServices.h"
#include "platform/Clock.h"
#include "platform/Environment.h"
#include "platform/IniFile.h"
#include "platform/InstanceLock.h"
#include "platform/Locale.h"
#include "settings/ModelTable.h"
#include "settings/SettingsRecord.h"
#include "text/MessageBoxHost.h"
#include "text/Messages.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace qm {
namespace {

COstrellApp* g_current = nullptr;

// The executable's file name without folder and extension.
std::string DefaultInstanceName() {
    std::string name = std::filesystem::path(ExecutableBaseName()).stem().string();
    return name.empty() ? std::string("quillmark") : name;
}

} // namespace

COstrellApp::COstrellApp(MessageBoxHost& host)
    : COstrellApp(host, SystemClock::Instance(), SystemPortServices()) {}

COstrellApp::COstrellApp(MessageBoxHost& host, Clock& clock, PortServices& services)
    : host_(host), settings_(std::make_unique<SettingsRecord>()),
      connection_(std::make_unique<PrinterConnection>(clock, services)) {
    // The connection reads the stored interface settings from the current preferences.
    connection_->SetInterfaceSettings(this);
    g_current = this;
}

COstrellApp::~COstrellApp() {
    if (g_current == this) {
        g_current = nullptr;
    }
}

COstrellApp* COstrellApp::Current() {
    return g_current;
}

bool COstrellApp::InitInstance(const MainWindowFactory& makeWindow) {
    // 1. Single instance: the lock is named after the executable and taken without waiting.
    // Only a lock held by another process ends start-up; when the lock file cannot be made at
    // all the program still runs (unguarded) rather than refusing to start without a word.
    InstanceLock instance(instanceName_.empty() ? DefaultInstanceName() : instanceName_);
    if (!instance.TryAcquire() && instance.Error() == EWOULDBLOCK) {
        exitCode_ = kExitAlreadyRunning;
        return false;
    }

    // 2.-3. The dialog framework needs no global initialisation here.
    // 4. The user's language.
    SetUserLanguageId(UserDefaultLanguageId());
    // 5. Preferences and model names.
    LoadPreferences();

    // 6. The main window, run modally; its result is the exit code.
    std::unique_ptr<MainWindow> window = makeWindow ? makeWindow(*this) : nullptr;
    if (window) {
        mainWindow_ = window.get();
        exitCode_ = window->RunMainWindow();
        mainWindow_ = nullptr;
    }
    // 7. Destroy the window, then release the lock (instance's destructor).
    window.reset();
    instance.Release();
    return false;
}

int COstrellApp::ExitInstance() {
    return exitCode_;
}

int COstrellApp::Run(const MainWindowFactory& makeWindow) {
    InitInstance(makeWindow);
    return ExitInstance();
}

void COstrellApp::LoadPreferences() {
    int folderError = 0;
    std::string folder = iniFolder_.empty() ? ModuleDirectory(&folderError) : iniFolder_;
    if (folderError != 0) {
        // The window runs all the same; the changes of this run cannot be kept, and the user
        // is told where and why before making any.
        std::fprintf(stderr,
                     "quillmark: cannot create the preferences folder %s (%s); "
                     "preferences will not be saved\n",
                     folder.c_str(), std::strerror(folderError));
    }
    if (!folder.empty() && folder.back() != '/') {
        folder.push_back('/');
    }
    iniPath_ = folder + kIniFileName;

    modelNames_.clear();
    modelNames_.reserve(kModelCount);
    for (int model = 0; model < kModelCount; ++model) {
        modelNames_.push_back(ModelTable::DisplayName(model));
    }

    const IniFile ini(iniPath_);
    loaded_ = ReadPreferences(ini, modelNames_, userLanguageId_);
    current_ = loaded_;
    host_.UseLanguage(UiLanguageFromIndex(current_.region));
}

int COstrellApp::SavePreferences() {
    if (mainWindow_ != nullptr) {
        mainWindow_->ApplyInterfaceSelection();
    }
    const Messages messages(host_, UiLanguageFromIndex(current_.region));
    if (messages.ShowMessage(kMsgConfirmExit, kMbYesNo | kMbIconQuestion) != kIdYes) {
        return kIdNo;
    }
    // The mask is built after the answer: a NET host name may need a name lookup, which should
    // neither delay the question nor run when the window stays open. The result is the same.
    const unsigned mask = PreferencesChangeMask(
        loaded_, current_, resolver_ ? resolver_ : HostNameResolver(ResolveHostNameToDotted));
    if (mask != 0) {
        IniFile ini(iniPath_);
        errno = 0;
        if (!WritePreferences(ini, current_, mask)) {
            const int error = errno;
            std::fprintf(stderr, "quillmark: the preferences could not be saved to %s%s%s\n",
                         iniPath_.c_str(), error != 0 ? ": " : "",
                         error != 0 ? FileErrorText(error).c_str() : "");
        }
    }
    return 1;
}

std::u16string COstrellApp::ModelName(int index) const {
    if (index < 0 || index >= ModelCount()) {
        return std::u16string();
    }
    return modelNames_[static_cast<size_t>(index)];
}

int COstrellApp::ModelIndexOf(std::u16string_view name) const {
    for (size_t i = 0; i < modelNames_.size(); ++i) {
        if (modelNames_[i] == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace qm
