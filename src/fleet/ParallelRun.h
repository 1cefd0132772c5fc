#pragma once

#include <cstddef>
#include <functional>
#include <vector>

namespace qm::fleet {

// Runs job(i) for the given indices, in order of start, on up to `jobs` threads at once. Before
// an index is started `mayStart` is asked (under the run's lock, so a decision based on the
// results so far sees every finished job); once it says no, no further index starts and the
// running ones finish. Returns, per given index, whether it was started. SIGINT and SIGTERM are
// blocked in the worker threads. The threads share only the next position and the lock.
std::vector<bool> ParallelRun(const std::vector<size_t>& indices, int jobs,
                              const std::function<void(size_t)>& job,
                              const std::function<bool()>& mayStart);

// Raises the soft limit of open descriptors to the hard limit (each printer in flight holds
// one socket). Returns the soft limit in force afterwards.
long RaiseDescriptorLimit();

} // namespace qm::fleet
