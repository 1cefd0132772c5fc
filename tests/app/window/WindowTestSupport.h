#pragma once

// Shared set-up of the main-window tests: a preferences file in a fresh folder, stand-in port
// lists and print queues, and a main window created through the scripted host.

#include "app/COstrellApp.h"
#include "app/COstrellDlg.h"
#include "app/WindowServices.h"
#include "connection/PortServices.h"
#include "platform/Clock.h"
#include "platform/Encoding.h"
#include "resources/MainWindowTemplate.h"
#include "resources/PageTemplateIds.h"
#include "support/ScriptedHostGTest.h"
#include "ui/ScriptedHost.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>

namespace qm::testing {

class FakeWindowServices : public WindowServices {
public:
    void FillLocalPortLists(std::vector<std::u16string>& lptOut,
                            std::vector<std::u16string>& usbOut,
                            std::vector<std::u16string>& comOut) override {
        lptOut = lpt;
        usbOut = usb;
        comOut = com;
    }
    void ListQueues(std::vector<QueueRecord>& out) override { out = queues; }
    std::u16string DefaultPrinterName() override { return defaultPrinter; }
    bool ResolveHostName(std::u16string_view name, std::u16string& dotted) override {
        ++lookups;
        auto it = hosts.find(std::u16string(name));
        if (it == hosts.end()) {
            return false;
        }
        dotted = it->second;
        return true;
    }
    std::string SerialDevicePath(std::u16string_view port) override {
        return port == u"COM3:" ? "/dev/ttyS2" : "";
    }

    std::vector<std::u16string> lpt{u"LPT1:", u"LPT2:"};
    std::vector<std::u16string> usb{u"USB001", u"USB002", u"USB_AUTO"};
    std::vector<std::u16string> com{u"COM1:", u"COM3:", u"KORVANE COM5:"};
    std::vector<QueueRecord> queues{
        {u"Office", "serial:/dev/ttyS0?baud=19200", u"COM1:", 2,
         u"COM1, 19200, 7, 2, Even, Hardware", 0},
        {u"Korvane Label", "parallel:/dev/lp1", u"LPT2:", 3, u"LPT2:", 0},
        {u"Shipping", "usb://x", u"USB002", 4, u"USB002", 0},
        {u"Network", "socket://10.1.2.3:9101", u"10.1.2.3:9101", 5, u"10.1.2.3, 9101", 0},
        {u"Elsewhere", "ipp://x", u"ipp://x", 0, u"ipp://x", 0},
    };
    std::u16string defaultPrinter = u"Shipping";
    std::map<std::u16string, std::u16string> hosts{{u"printer01", u"10.9.8.7"}};
    int lookups = 0;
};

// A main window whose printer operations count presses; with `operate` set they also run.
class CountingWindow : public COstrellDlg {
public:
    using COstrellDlg::COstrellDlg;
    int sends = 0;
    int prints = 0;
    int receives = 0;
    bool operate = false;

protected:
    void OnSendButton() override {
        ++sends;
        if (operate) {
            COstrellDlg::OnSendButton();
        }
    }
    void OnPrintButton() override {
        ++prints;
        if (operate) {
            COstrellDlg::OnPrintButton();
        }
    }
    void OnReceive() override {
        ++receives;
        if (operate) {
            COstrellDlg::OnReceive();
        }
    }
};

class WindowTest : public ::testing::Test {
protected:
    WindowTest() {
        folder = std::filesystem::temp_directory_path() /
                 ("qm-window-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        std::filesystem::create_directories(folder);
        ui::InstallGTestFailures(host);
    }
    ~WindowTest() override {
        window.reset();
        app.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    // The preferences file as UTF-8 text lines "KEY=value" under the section.
    void WriteIni(const std::string& body) {
        std::ofstream out(folder / "Quillmark.ini", std::ios::binary);
        out << "[Quillmark]\r\n" << body;
    }

    // Loads the preferences and creates the main window (its start-up runs).
    CountingWindow& Start(uint16_t userLanguageId = 0x09) {
        window.reset(); // a restart: the old window goes before its application object
        app.reset();
        app = portServices != nullptr
                  ? std::make_unique<COstrellApp>(host, SystemClock::Instance(), *portServices)
                  : std::make_unique<COstrellApp>(host);
        app->SetIniFolder(folder.string());
        app->SetUserLanguageId(userLanguageId);
        app->SetHostNameResolver([this](std::u16string_view name, std::u16string& dotted) {
            return services.ResolveHostName(name, dotted);
        });
        app->LoadPreferences();
        window = std::make_unique<CountingWindow>(*app, host, services);
        app->SetMainWindow(window.get());
        EXPECT_TRUE(window->Create(nullptr));
        return *window;
    }

    ui::Control& C(int id) { return window->Item(id); }
    Preferences& Prefs() { return app->CurrentPreferences(); }

    static inline int counter = 0;
    std::filesystem::path folder;
    ui::ScriptedHost host;
    FakeWindowServices services;
    // When set, the connection uses these port services (and the real clock).
    PortServices* portServices = nullptr;
    std::unique_ptr<COstrellApp> app;
    std::unique_ptr<CountingWindow> window;
};

} // namespace qm::testing
