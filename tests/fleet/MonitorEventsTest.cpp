// The monitor's events: one per change of a printer's state, none for a state already reported
// (also by an earlier monitor, through the store), and the polling's back-off.

#include "fleet/EventTracker.h"
#include "fleet/FleetMonitor.h"

#include "FleetTestFiles.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace qm::fleet {
namespace {

using test::ScratchDir;

MonitoredPrinter Healthy(const std::string& address) {
    MonitoredPrinter p;
    p.address = address;
    p.group = "dock";
    p.serial = "QS1";
    p.reading.reach = Reachability::kUp;
    p.reading.paperError = false;
    p.reading.ribbonError = false;
    p.reading.paused = false;
    return p;
}

MonitoredPrinter Down(const std::string& address) {
    MonitoredPrinter p;
    p.address = address;
    p.group = "dock";
    p.reading.reach = Reachability::kDown;
    return p;
}

// "kind state" of each event, in order.
std::vector<std::string> Names(const std::vector<FleetEvent>& events) {
    std::vector<std::string> names;
    for (const FleetEvent& event : events) {
        names.push_back(event.kind + " " + event.state);
    }
    return names;
}

using Names_ = std::vector<std::string>;

TEST(MonitorEventsTest, EachChangeIsReportedOnceAndFlappingOncePerChange) {
    EventTracker tracker;
    const std::string a = "10.0.0.1:9100";
    EXPECT_EQ(Names(tracker.Update(Healthy(a))), Names_{"reachability up"});
    EXPECT_TRUE(tracker.Update(Healthy(a)).empty());

    MonitoredPrinter paper = Healthy(a);
    paper.reading.paperError = true;
    for (int flap = 0; flap < 2; ++flap) {
        EXPECT_EQ(Names(tracker.Update(paper)), Names_{"paper_error on"});
        EXPECT_TRUE(tracker.Update(paper).empty());
        EXPECT_EQ(Names(tracker.Update(Healthy(a))), Names_{"paper_error off"});
    }

    // While it is down its flags are not known: no flag changes, and back up only what differs.
    paper.reading.paused = true;
    EXPECT_EQ(Names(tracker.Update(paper)), (Names_{"paper_error on", "paused on"}));
    EXPECT_EQ(Names(tracker.Update(Down(a))), Names_{"reachability down"});
    EXPECT_TRUE(tracker.Update(Down(a)).empty());
    EXPECT_EQ(Names(tracker.Update(Healthy(a))),
              (Names_{"reachability up", "paper_error off", "paused off"}));

    // A printer first seen in trouble says so at once; an error code and drift come and go.
    MonitoredPrinter b = Healthy("10.0.0.2:9100");
    b.reading.errorCode = 3;
    b.driftedSettings = 2;
    const std::vector<FleetEvent> first = tracker.Update(b);
    EXPECT_EQ(Names(first), (Names_{"reachability up", "error_code 3", "drift on"}));
    EXPECT_EQ(first[2].detail, "2 settings not as the baseline");
    b.reading.errorCode = 0;
    b.driftedSettings = 0;
    EXPECT_EQ(Names(tracker.Update(b)), (Names_{"error_code 0", "drift off"}));
    // A drift check that failed says nothing about drift.
    b.driftedSettings.reset();
    EXPECT_TRUE(tracker.Update(b).empty());
}

TEST(MonitorEventsTest, MovedAndDuplicateSerialNumbersAreReportedOnce) {
    EventTracker tracker;
    MonitoredPrinter p = Healthy("10.0.0.3:9100");
    tracker.Update(p);
    p.movedFrom = "10.0.0.9:9100";
    p.duplicates = {"10.0.0.4:9100"};
    const std::vector<FleetEvent> events = tracker.Update(p);
    EXPECT_EQ(Names(events), (Names_{"moved QS1", "duplicate on"}));
    EXPECT_EQ(events[0].detail, "was at 10.0.0.9:9100");
    EXPECT_EQ(events[1].detail, "10.0.0.4:9100");
    EXPECT_TRUE(tracker.Update(p).empty());
    p.duplicates.clear();
    EXPECT_EQ(Names(tracker.Update(p)), Names_{"duplicate off"});
}

TEST(MonitorEventsTest, ARestartedMonitorDoesNotReportWhatWasReported) {
    ScratchDir dir;
    std::string error;
    MonitoredPrinter paper = Healthy("10.0.0.1:9100");
    paper.reading.paperError = true;
    {
        FleetStore store;
        ASSERT_TRUE(store.Open(dir.Path("fleet.sqlite"), error)) << error;
        EventTracker tracker(store.LastEventStates());
        for (const MonitoredPrinter& p : {Healthy("10.0.0.1:9100"), paper}) {
            for (const FleetEvent& event : tracker.Update(p)) {
                store.AddEvent(event);
            }
        }
    }
    FleetStore store;
    ASSERT_TRUE(store.Open(dir.Path("fleet.sqlite"), error)) << error;
    EventTracker restarted(store.LastEventStates());
    EXPECT_TRUE(restarted.Update(paper).empty());
    EXPECT_EQ(Names(restarted.Update(Healthy("10.0.0.1:9100"))), Names_{"paper_error off"});
}

// A loopback port nobody listens on: every poll fails at the connect.
int ClosedPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

TEST(MonitorEventsTest, AFailingPrinterIsPolledWithABackOffAndReportedDownOnce) {
    ScratchDir dir;
    std::string error;
    FleetStore store;
    ASSERT_TRUE(store.Open(dir.Path("fleet.sqlite"), error)) << error;
    FleetFile file;
    dir.Write("dock.prn", test::ExampleBaseline());
    const std::string text = "[[group]]\nname = \"dock\"\nbaseline = \"dock.prn\"\n"
                             "model = 0\nprinters = [\"127.0.0.1:" +
                             std::to_string(ClosedPort()) + "\"]\n";
    ASSERT_TRUE(FleetFile::Parse(text, dir.Path("fleet.toml"), file, error)) << error;

    MonitorOptions options;
    options.interval = std::chrono::milliseconds(100);
    std::vector<FleetEvent> events;
    options.onEvent = [&](const FleetEvent& event) { events.push_back(event); };
    FleetMonitor monitor(store, options);
    monitor.Load(file);
    monitor.Start();
    // Polls at 0, 0.1, 0.3, 0.7 and 1.5 s (doubling), not every 0.1 s.
    std::this_thread::sleep_for(std::chrono::milliseconds(1700));
    monitor.Stop();
    const MonitorStats stats = monitor.Stats();
    EXPECT_GE(stats.polls, 4u);
    EXPECT_LE(stats.polls, 6u);
    EXPECT_EQ(stats.failures, stats.polls);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind + " " + events[0].state, "reachability down");
    EXPECT_EQ(store.Events().size(), 1u);
    EXPECT_EQ(monitor.Printers().at(0).failures, static_cast<int>(stats.polls));
}

} // namespace
} // namespace qm::fleet
