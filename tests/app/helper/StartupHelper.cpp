// A minimal program that runs the application start-up with a stand-in main window, so the
// tests can start real processes and watch the single-instance guard.
//
//   qm_startup_helper <folder> <tag>
// The window writes "<folder>/<tag>.ready" (holding the process id) when it runs, then waits
// until "<folder>/<tag>.quit" exists (at most 60 s) and ends with result 0. A refused second
// instance ends with exit code 10 without building the window.

#include "app/COstrellApp.h"
#include "text/MessageBoxHost.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

class NoMessages : public qm::MessageBoxHost {
public:
    int MessageBox(std::u16string_view, std::u16string_view, unsigned) override {
        return qm::kIdNo;
    }
};

class HelperWindow : public qm::MainWindow {
public:
    HelperWindow(std::string folder, std::string tag)
        : folder_(std::move(folder)), tag_(std::move(tag)) {}

    int RunMainWindow() override {
        const std::string ready = folder_ + "/" + tag_ + ".ready";
        {
            std::ofstream out(ready + ".part");
            out << ::getpid() << "\n";
        }
        std::filesystem::rename(ready + ".part", ready);
        const std::string quit = folder_ + "/" + tag_ + ".quit";
        for (int i = 0; i < 6000 && !std::filesystem::exists(quit); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return 0;
    }
    void ApplyInterfaceSelection() override {}

private:
    std::string folder_;
    std::string tag_;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        return 2;
    }
    NoMessages host;
    qm::COstrellApp app(host);
    return app.Run(
        [&](qm::COstrellApp&) { return std::make_unique<HelperWindow>(argv[1], argv[2]); });
}
