#pragma once

#include "fleet/Baseline.h"
#include "fleet/EventTracker.h"
#include "fleet/FleetFile.h"
#include "fleet/FleetStore.h"
#include "fleet/MonitoredPrinter.h"

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace qm::fleet {

struct MonitorOptions {
    std::chrono::milliseconds interval{60'000};         // status and counters
    std::chrono::milliseconds driftInterval{3'600'000}; // settings against the baseline
    int jobs = 0;                                       // exchanges at once; 0: the fleet file's
    // Called once per event, after the store holds it, from a polling thread (one call at a
    // time).
    std::function<void(const FleetEvent&)> onEvent;
};

// How the monitor's own polls went, for its metrics.
struct MonitorStats {
    // Upper bounds (seconds) of the poll duration histogram's buckets; +Inf follows.
    static constexpr std::array<double, 8> kBuckets = {0.05, 0.1, 0.25, 0.5, 1, 2.5, 5, 10};
    std::array<uint64_t, kBuckets.size() + 1> bucketCounts{}; // the last one is +Inf
    double durationSum = 0;
    uint64_t polls = 0;
    uint64_t failures = 0;
};

// Watches the printers of a fleet file: polls each one's status and counters every interval
// and its settings against its group's baseline every drift interval, at most `jobs`
// exchanges at once, and reports each change of a printer's state once (store, then onEvent).
// A printer that fails is polled again after a back-off (the interval doubled per failure in a
// row, at most ten intervals). Printers that failed their last poll may hold at most half of
// the exchanges (at least one), so silent printers never hold up the polls of the others
// while jobs is 2 or more. Nothing is ever sent to a printer but requests.
//
// Threads: `jobs` polling threads share the printer table, the schedule, the event tracker
// and the stats under one mutex, held only between exchanges; each exchange runs unlocked on
// its own connection. The baselines have a lock of their own. Printers(), Stats() and Load()
// may be called from any thread.
class FleetMonitor {
public:
    static constexpr int kMaxBackoffIntervals = 10;

    FleetMonitor(FleetStore& store, MonitorOptions options);
    ~FleetMonitor();
    FleetMonitor(const FleetMonitor&) = delete;
    FleetMonitor& operator=(const FleetMonitor&) = delete;

    // Takes the printers of `fleet` (again, on a reload): printers that stay keep what is known
    // about them, new ones are polled at once, gone ones are dropped.
    void Load(const FleetFile& fleet);
    void Start();
    // Lets running exchanges finish and ends the threads.
    void Stop();

    // Every printer, in the fleet file's order.
    std::vector<MonitoredPrinter> Printers() const;
    MonitorStats Stats() const;
    std::chrono::milliseconds Interval() const { return options_.interval; }

private:
    using Clock = std::chrono::steady_clock;
    struct Entry {
        MonitoredPrinter state;
        StaticInterfaceSettings settings;
        std::optional<int> groupModel;
        std::string baseline;
        Clock::time_point due;
        Clock::time_point driftDue;
        bool busy = false;
        bool gone = false; // dropped by a reload while its exchange ran
    };

    // What a poll reads of its entry, copied under the lock (a reload may change the entry).
    struct PollTarget {
        StaticInterfaceSettings settings;
        std::optional<int> groupModel;
        std::string baseline;
    };

    void Work();
    std::shared_ptr<Entry> NextDue(std::unique_lock<std::mutex>& lock);
    void Poll(const PollTarget& target, MonitoredPrinter& result, bool checkDrift);
    void Finish(Entry& entry, MonitoredPrinter result, bool checkedDrift, double seconds);
    // Shared, so a reload that empties the cache never pulls one from under a running poll.
    std::shared_ptr<const Baseline> BaselineFor(const std::string& path, int model);
    int FailingLimit() const;

    FleetStore& store_;
    MonitorOptions options_;
    int jobs_ = 1;

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<std::shared_ptr<Entry>> entries_;     // the fleet file's order
    std::map<std::string, std::string> serialSeenAt_; // serial number -> address
    EventTracker tracker_;
    MonitorStats stats_;
    int failingBusy_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> threads_;

    std::mutex eventLock_; // one onEvent call at a time
    std::mutex baselinesLock_;
    std::map<std::pair<std::string, int>, std::shared_ptr<const Baseline>> baselines_;
};

} // namespace qm::fleet
