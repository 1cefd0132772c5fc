// Receive ALL through the main window's code path against the printer simulator on loopback.
//
//   bench_window_receive [ROUNDS=10]
//
// 1. The window's Receive button (question answered by a scripted host, the real clock in the
//    connection) against the simulator: wall time per receive as a ratio of the protocol floor
//    (three 100 ms drain waits after connecting, two 100 ms silences ending the status and the
//    counters replies = 500 ms), and the CPU time this process spends per receive.
// 2. The real program offscreen (Qt host, its repainting clock) against a simulator that
//    answers after 3 s: the main window is asked to repaint every 5 ms; the longest interval
//    between two paints while the receive runs.
// Numbers are printed, never checked.

#include "app/COstrellApp.h"
#include "app/COstrellDlg.h"
#include "app/WindowServices.h"
#include "discovery/SystemPortServices.h"
#include "printer-sim/SimHarness.h"
#include "qt/DialogWidget.h"
#include "qt/Program.h"
#include "qt/QtHost.h"
#include "resources/MainWindowTemplate.h"
#include "ui/ScriptedHost.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <vector>

namespace {

using Steady = std::chrono::steady_clock;
constexpr double kFloorMs = 3 * 100.0 + 2 * 100.0;

double CpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec * 1e3 + usage.ru_utime.tv_usec / 1e3 +
           usage.ru_stime.tv_sec * 1e3 + usage.ru_stime.tv_usec / 1e3;
}

double Ms(Steady::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

std::string MakeHome(const std::string& name, int port) {
    const std::string home = (std::filesystem::temp_directory_path() / name).string();
    std::filesystem::create_directories(home);
    std::ofstream(home + "/Quillmark.ini", std::ios::binary)
        << "[Quillmark]\r\nREGION=0\r\nPORT_TYPE=NET\r\nPORT_NAME=127.0.0.1\r\nPORT_NUMBER=" << port
        << "\r\n";
    return home;
}

void WindowPath(int rounds) {
    qm::simtest::SimProcess sim({"--tcp", "127.0.0.1:0", "--model", "0"});
    if (!sim.Ready()) {
        std::puts("simulator did not start");
        return;
    }
    const std::string home = MakeHome("qm-bench-window", sim.TcpPort());
    qm::ui::ScriptedHost host;
    qm::COstrellApp app(host, qm::SystemClock::Instance(), qm::SystemPortServices());
    app.SetIniFolder(home);
    app.LoadPreferences();
    qm::COstrellDlg window(app, host);
    app.SetMainWindow(&window);
    window.Create(nullptr);
    window.Item(qm::res::kIdScope).SetCurSel(4);
    std::vector<double> wall;
    std::vector<double> cpu;
    for (int round = 0; round < rounds; ++round) {
        host.AnswerMessageBox(qm::kIdYes);
        const double cpuStart = CpuMs();
        const auto start = Steady::now();
        window.UserClick(qm::res::kIdReceive);
        wall.push_back(Ms(Steady::now() - start));
        cpu.push_back(CpuMs() - cpuStart);
        if (window.ReceiveState() != qm::COstrellDlg::kReceiveIdle || host.Messages().size() != 1) {
            std::printf("round %d failed\n", round);
        }
        host.ClearRecords();
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    const double median = wall[wall.size() / 2];
    std::printf("window Receive ALL over loopback, %d rounds\n", rounds);
    std::printf("  wall median %.1f ms, best %.1f ms, worst %.1f ms; floor %.0f ms; ratio %.3f\n",
                median, wall.front(), wall.back(), kFloorMs, median / kFloorMs);
    std::printf("  CPU per receive: median %.2f ms, worst %.2f ms\n", cpu[cpu.size() / 2],
                cpu.back());
    std::fflush(stdout);
    std::filesystem::remove_all(home);
}

// Records when the main window paints.
class PaintClock : public QObject {
public:
    std::vector<Steady::time_point> paints;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            paints.push_back(Steady::now());
        }
        return QObject::eventFilter(watched, event);
    }
};

// Over TCP the receive read gives up after 1 s (message 32); over the simulator's pty as COM1
// (a fake device tree) it waits up to 5 s and the receive succeeds.
void RepaintGap(bool overCom) {
    const std::string home = (std::filesystem::temp_directory_path() / "qm-bench-repaint").string();
    std::filesystem::create_directories(home + "/dev");
    std::filesystem::create_directories(home + "/sys/class/tty/ttyS0/device");
    std::ofstream(home + "/sys/class/tty/ttyS0/type") << "4\n";
    std::vector<std::string> args = {"--tcp", "127.0.0.1:0", "--model", "0", "--delay-ms", "3000"};
    if (overCom) {
        args.insert(args.end(), {"--pty", "--link", home + "/dev/ttyS0"});
    }
    qm::simtest::SimProcess sim(args);
    if (!sim.Ready()) {
        std::puts("simulator did not start");
        return;
    }
    MakeHome("qm-bench-repaint", sim.TcpPort());
    if (overCom) {
        std::ofstream(home + "/Quillmark.ini", std::ios::binary)
            << "[Quillmark]\r\nREGION=0\r\nPORT_TYPE=COM\r\nPORT_NAME=COM1:\r\n";
        qputenv("QUILLMARK_DEV_ROOT", QByteArray::fromStdString(home + "/dev"));
        qputenv("QUILLMARK_SYSFS_ROOT", QByteArray::fromStdString(home + "/sys"));
    }
    qputenv("QUILLMARK_HOME", QByteArray::fromStdString(home));
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(home));
    qm::qt::QtHost host;
    PaintClock clock;
    double longest = 0;
    double receiveMs = 0;
    size_t paints = 0;
    std::vector<std::string> shown;
    host.GetRenderer().SetOnFirstPaint([&] {
        QTimer::singleShot(0, qApp, [&] {
            auto* window = dynamic_cast<qm::qt::DialogWidget*>(QApplication::activeModalWidget());
            if (window == nullptr) {
                return;
            }
            window->installEventFilter(&clock);
            QTimer ticker;
            QObject::connect(&ticker, &QTimer::timeout, window, [window] { window->update(); });
            ticker.start(5);
            // Yes to the question (and to the exit question at the end).
            QTimer answer;
            QObject::connect(&answer, &QTimer::timeout, [&shown] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    shown.push_back(box->text().toStdString());
                    QAbstractButton* yes = box->button(QMessageBox::Yes);
                    (yes != nullptr ? yes : box->button(QMessageBox::Ok))->click();
                }
            });
            answer.start(5);
            QTest::mouseClick(window->WidgetFor(qm::res::kIdReceive), Qt::LeftButton);
            // From the moment the question was answered: the first paint after it.
            const auto end = Steady::now();
            std::vector<Steady::time_point> during;
            for (size_t i = 1; i < clock.paints.size(); ++i) {
                during.push_back(clock.paints[i]);
            }
            paints = clock.paints.size();
            if (!clock.paints.empty()) {
                receiveMs = Ms(end - clock.paints.front());
                Steady::time_point previous = clock.paints.front();
                for (const Steady::time_point& t : clock.paints) {
                    longest = std::max(longest, Ms(t - previous));
                    previous = t;
                }
                longest = std::max(longest, Ms(end - previous));
            }
            ticker.stop();
            QTest::mouseClick(window->WidgetFor(qm::res::kIdExit), Qt::LeftButton);
        });
    });
    const int code = qm::qt::RunProgram(host);
    if (code != 0) {
        std::printf("the program ended with %d\n", code);
    }
    qunsetenv("QUILLMARK_DEV_ROOT");
    qunsetenv("QUILLMARK_SYSFS_ROOT");
    std::printf("window Receive ALL against a printer delayed 3 s, %s (Qt offscreen)\n",
                overCom ? "pty as COM1" : "TCP");
    for (const std::string& text : shown) {
        std::printf("  message: %s\n", text.c_str());
    }
    std::printf("  %zu paints over %.0f ms; longest interval without a repaint %.1f ms\n", paints,
                receiveMs, longest);
    std::fflush(stdout);
    std::filesystem::remove_all(home);
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    qm::qt::SetUpApplication(app);
    WindowPath(rounds);
    RepaintGap(false);
    RepaintGap(true);
    return 0;
}
