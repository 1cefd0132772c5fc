#include "fleet/FleetMonitor.h"

#include "fleet/PrinterPoll.h"

#include <algorithm>
#include <csignal>
#include <pthread.h>

namespace qm::fleet {
namespace {

double UnixNow() {
    return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// The signals the program waits for stay with its main thread.
void BlockStopSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

} // namespace

FleetMonitor::FleetMonitor(FleetStore& store, MonitorOptions options)
    : store_(store), options_(std::move(options)), tracker_(store.LastEventStates()) {
    for (const InventoryEntry& entry : store_.Inventory()) {
        serialSeenAt_[entry.serial] = entry.address;
    }
}

FleetMonitor::~FleetMonitor() {
    Stop();
}

void FleetMonitor::Load(const FleetFile& fleet) {
    {
        std::lock_guard lock(baselinesLock_);
        baselines_.clear(); // the baselines may have changed with the file
    }
    std::lock_guard lock(mutex_);
    jobs_ = std::max(1, options_.jobs > 0 ? options_.jobs : fleet.jobs);
    std::map<std::string, std::shared_ptr<Entry>> known;
    for (const std::shared_ptr<Entry>& entry : entries_) {
        known[entry->state.address] = entry;
    }
    std::vector<std::shared_ptr<Entry>> entries;
    const Clock::time_point now = Clock::now();
    for (const FleetGroup& group : fleet.groups) {
        for (const FleetPrinter& printer : group.printers) {
            std::shared_ptr<Entry> entry;
            if (auto found = known.find(printer.address); found != known.end()) {
                entry = found->second;
                known.erase(found);
            } else {
                entry = std::make_shared<Entry>();
                entry->state.address = printer.address;
                entry->due = now;
                entry->driftDue = now;
            }
            if (entry->groupModel != group.model || entry->baseline != group.baseline) {
                entry->driftDue = now;
            }
            entry->settings = printer.settings; // the same for the same address
            entry->state.group = group.name;
            entry->groupModel = group.model;
            entry->baseline = group.baseline;
            if (group.model) {
                entry->state.model = group.model;
            }
            entries.push_back(entry);
        }
    }
    for (auto& [address, entry] : known) {
        entry->gone = true;
    }
    entries_ = std::move(entries);
    wake_.notify_all();
}

void FleetMonitor::Start() {
    std::lock_guard lock(mutex_);
    stopping_ = false;
    for (int i = 0; i < jobs_; ++i) {
        threads_.emplace_back([this] {
            BlockStopSignals();
            Work();
        });
    }
}

void FleetMonitor::Stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (std::thread& thread : threads_) {
        thread.join();
    }
    threads_.clear();
}

std::vector<MonitoredPrinter> FleetMonitor::Printers() const {
    std::lock_guard lock(mutex_);
    std::vector<MonitoredPrinter> printers;
    printers.reserve(entries_.size());
    for (const std::shared_ptr<Entry>& entry : entries_) {
        printers.push_back(entry->state);
    }
    return printers;
}

MonitorStats FleetMonitor::Stats() const {
    std::lock_guard lock(mutex_);
    return stats_;
}

int FleetMonitor::FailingLimit() const {
    return std::max(1, jobs_ / 2);
}

std::shared_ptr<FleetMonitor::Entry> FleetMonitor::NextDue(std::unique_lock<std::mutex>& lock) {
    while (!stopping_) {
        std::shared_ptr<Entry> next;
        Clock::time_point wakeAt = Clock::time_point::max();
        const bool failingFull = failingBusy_ >= FailingLimit();
        for (const std::shared_ptr<Entry>& entry : entries_) {
            if (entry->busy || (failingFull && entry->state.failures > 0)) {
                continue;
            }
            if (!next || entry->due < next->due) {
                next = entry;
            }
        }
        const Clock::time_point now = Clock::now();
        if (next && next->due <= now) {
            return next;
        }
        if (next) {
            wakeAt = next->due;
        }
        if (wakeAt == Clock::time_point::max()) {
            wake_.wait(lock);
        } else {
            wake_.wait_until(lock, wakeAt);
        }
    }
    return nullptr;
}

void FleetMonitor::Work() {
    std::unique_lock lock(mutex_);
    while (true) {
        std::shared_ptr<Entry> entry = NextDue(lock);
        if (!entry) {
            return;
        }
        entry->busy = true;
        const bool failing = entry->state.failures > 0;
        failingBusy_ += failing ? 1 : 0;
        const Clock::time_point started = Clock::now();
        const bool checkDrift = !entry->baseline.empty() && entry->driftDue <= started;
        MonitoredPrinter result = entry->state;
        const PollTarget target{entry->settings, entry->groupModel, entry->baseline};
        lock.unlock();
        Poll(target, result, checkDrift);
        const double seconds = std::chrono::duration<double>(Clock::now() - started).count();
        lock.lock();
        failingBusy_ -= failing ? 1 : 0;
        if (!entry->gone) {
            Finish(*entry, std::move(result), checkDrift, seconds);
        }
        entry->busy = false;
        wake_.notify_all();
    }
}

std::shared_ptr<const Baseline> FleetMonitor::BaselineFor(const std::string& path, int model) {
    std::lock_guard lock(baselinesLock_);
    auto key = std::make_pair(path, model);
    auto found = baselines_.find(key);
    if (found == baselines_.end()) {
        found =
            baselines_.emplace(key, std::make_shared<const Baseline>(Baseline::Load(path, model)))
                .first;
    }
    return found->second;
}

// Runs unlocked, on copies: the target and the result belong to this poll alone.
void FleetMonitor::Poll(const PollTarget& entry, MonitoredPrinter& result, bool checkDrift) {
    std::optional<int> model = entry.groupModel ? entry.groupModel : result.model;
    // A printer that was not up may have been replaced: ask who it is again.
    const bool ask =
        !entry.groupModel && (!model || result.reading.reach != Reachability::kUp || checkDrift);
    std::string identitySerial;
    if (ask) {
        const PolledIdentity identity = PrinterPoll::Identify(entry.settings);
        if (identity.reach != Reachability::kUp || !identity.model) {
            result.reading = PrinterReading{};
            result.reading.reach =
                identity.reach == Reachability::kUp ? Reachability::kNoAnswer : identity.reach;
            result.reading.detail = identity.detail;
            return;
        }
        model = identity.model;
        identitySerial = identity.serial;
    }
    result.model = model;
    result.reading = PrinterPoll::Status(entry.settings, *model);
    if (result.reading.serial.empty()) {
        result.reading.serial = identitySerial;
    }
    if (checkDrift && result.reading.reach == Reachability::kUp) {
        const std::shared_ptr<const Baseline> baseline = BaselineFor(entry.baseline, *model);
        if (!baseline->Ok()) {
            result.driftedSettings.reset();
            result.driftDetail = "the baseline cannot be sent to this model: " + baseline->problem;
            return;
        }
        std::string detail;
        result.driftedSettings =
            PrinterPoll::DriftedSettings(entry.settings, *model, *baseline, detail);
        result.driftDetail = detail;
    }
}

void FleetMonitor::Finish(Entry& entry, MonitoredPrinter result, bool checkedDrift,
                          double seconds) {
    const Clock::time_point now = Clock::now();
    const bool up = result.reading.reach == Reachability::kUp;
    result.lastPoll = UnixNow();
    if (up) {
        result.lastSeen = result.lastPoll;
        result.failures = 0;
        // The next poll keeps its place in the cadence; one that ran late starts now.
        entry.due = std::max(entry.due + options_.interval, now);
    } else {
        ++result.failures;
        const int factor = std::min(1 << std::min(result.failures - 1, 30), kMaxBackoffIntervals);
        entry.due = now + options_.interval * factor;
    }
    if (checkedDrift && (up || result.driftedSettings)) {
        entry.driftDue = now + options_.driftInterval;
    }

    // Where its serial number was seen, and whether another printer reports it too.
    result.movedFrom.clear();
    if (up && !result.reading.serial.empty()) {
        const std::string& serial = result.reading.serial;
        auto seen = serialSeenAt_.find(serial);
        if (seen != serialSeenAt_.end() && seen->second != result.address &&
            entry.state.serial != serial) {
            result.movedFrom = seen->second;
        } else if (entry.state.serial == serial) {
            result.movedFrom = entry.state.movedFrom;
        }
        serialSeenAt_[serial] = result.address;
        result.serial = serial;
    }
    result.duplicates.clear();
    for (const std::shared_ptr<Entry>& other : entries_) {
        if (other.get() != &entry && up && !result.serial.empty() &&
            other->state.reading.reach == Reachability::kUp &&
            other->state.serial == result.serial) {
            result.duplicates.push_back(other->state.address);
        }
    }

    ++stats_.polls;
    stats_.failures += up ? 0 : 1;
    stats_.durationSum += seconds;
    size_t bucket = 0;
    while (bucket < MonitorStats::kBuckets.size() && seconds > MonitorStats::kBuckets[bucket]) {
        ++bucket;
    }
    ++stats_.bucketCounts[bucket];

    entry.state = std::move(result);
    std::vector<FleetEvent> events = tracker_.Update(entry.state);
    if (events.empty()) {
        return;
    }
    // The tracker has taken the change under the monitor's lock: each event exists once.
    // The store and the hook run outside it, one printer's events at a time.
    std::unique_lock eventLock(eventLock_);
    mutex_.unlock();
    for (const FleetEvent& event : events) {
        store_.AddEvent(event);
        if (options_.onEvent) {
            options_.onEvent(event);
        }
    }
    eventLock.unlock();
    mutex_.lock();
}

} // namespace qm::fleet
