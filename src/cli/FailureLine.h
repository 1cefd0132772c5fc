#pragma once

#include "connection/ConnectionFailure.h"

#include <string>

namespace qm::cli {

// The line that says what happened when an exchange failed ("connection refused by
// 127.0.0.1:9100", "no reply within 3.2 s"); empty when the connection noted nothing.
std::string FailureLine(const ConnectionFailure& failure);

// Milliseconds as seconds with at most one decimal: 5000 -> "5 s", 3200 -> "3.2 s".
std::string SecondsText(uint32_t ms);

} // namespace qm::cli
