#pragma once

#include "settings/StatusDecoder.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qm::fleet {

// Whether a printer answered its last poll.
enum class Reachability {
    kUnknown,  // not polled yet
    kUp,       // it answered the status request
    kNoAnswer, // the connection opened but no status came back (some printers stay silent
               // while their head is open or the media is out)
    kDown,     // the connection could not be opened
};
const char* ReachabilityName(Reachability reach);

// What one poll of a printer found: its status as the Information page decodes it and its
// counters as the receive reads them. A flag the reply did not say is nullopt.
struct PrinterReading {
    Reachability reach = Reachability::kUnknown;
    std::optional<bool> paperError;
    std::optional<bool> ribbonError;
    std::optional<bool> paused;
    std::optional<bool> printing;
    std::optional<bool> waitingForPeeling;
    int errorCode = 0;     // the error-code form's code, 0 for none
    std::string errorText; // the code as the printer sent it (untrusted bytes)
    std::optional<double> printLengthMeters;
    std::optional<double> serviceLengthMeters;
    std::optional<int64_t> cutCount;
    std::string serial; // from the counters reply or the machine information (untrusted)
    std::string detail; // why the poll failed, in words

    // Any error flag set or an error code other than 0.
    bool InError() const;

    // Decodes a status reply of `form` (0, 1, 2) and a counters reply into a reading marked up.
    // The error-code form says no flags; its message fills the ones it names (paper or ribbon
    // end and head up as a paper error, pause as paused).
    static PrinterReading FromReplies(int form, std::string_view status, std::string_view counters);
};

// A counter as the printer writes it ("1234.5 m", "89"): the leading decimal number, nullopt
// when the text does not start with one or it is out of range.
std::optional<double> CounterNumber(std::string_view text);

} // namespace qm::fleet
