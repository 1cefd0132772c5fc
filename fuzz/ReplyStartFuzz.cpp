// The reply-start checks: an accepted menu reply is the received bytes (or all but one stray
// first byte), with CR LF put in front exactly when it starts with marker B or C; an accepted
// status reply is kept as received (an error code: all but one stray first byte) exactly when
// its form's decoder can read a status from it.

#include "FuzzSupport.h"

#include "settings/ReplyStart.h"

#include <algorithm>

using namespace qm;

namespace {

bool TwoDigits(std::string_view text) {
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    return text.size() >= 2 && digit(text[0]) && digit(text[1]);
}

// Whether a status of a form can be read from the reply at all: a Y/N flag among the first
// 120 bytes, two STX among the first 256, or two digits (after at most one stray byte).
bool Readable(std::string_view reply, int form) {
    switch (form) {
    case 0:
        return reply.substr(0, 120).find_first_of("YN") != std::string_view::npos;
    case 1: {
        const std::string_view window = reply.substr(0, 256);
        return std::count(window.begin(), window.end(), '\x02') >= 2;
    }
    default:
        return TwoDigits(reply) || (!reply.empty() && TwoDigits(reply.substr(1)));
    }
}

void CheckStatusStart(std::string_view reply) {
    for (int form = 0; form < 3; ++form) {
        const ReplyStartResult start = CheckStatusReplyStart(reply, form);
        fuzz::Check(start.accepted == Readable(reply, form),
                    "a status is accepted exactly when its form can be read from it");
        if (!start.accepted) {
            fuzz::Check(start.text.empty() && start.droppedBytes == 0,
                        "a refused status gives nothing");
            continue;
        }
        const int dropped = form == 2 && !TwoDigits(reply) ? 1 : 0;
        fuzz::Check(start.droppedBytes == dropped,
                    "only a stray byte before an error code is dropped");
        fuzz::Check(start.text == reply.substr(static_cast<size_t>(dropped)),
                    "the status is kept as received after the dropped byte");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view reply(reinterpret_cast<const char*>(data), size);
    CheckStatusStart(reply);
    const ReplyStartResult start = CheckReplyStart(reply);
    if (!start.accepted) {
        fuzz::Check(start.text.empty() && start.droppedBytes == 0, "a refused reply gives nothing");
        fuzz::Check(ClassifyLeadIn(reply) == LeadInStart::kNone,
                    "a reply that starts with a marker is accepted");
        return 0;
    }
    fuzz::Check(start.droppedBytes == 0 || start.droppedBytes == 1, "at most one byte dropped");
    const std::string_view kept = reply.substr(static_cast<size_t>(start.droppedBytes));
    const LeadInStart marker = ClassifyLeadIn(kept);
    fuzz::Check(marker != LeadInStart::kNone, "the kept reply starts with a marker");
    fuzz::Check(start.droppedBytes == 0 || ClassifyLeadIn(reply) == LeadInStart::kNone,
                "a byte is dropped only when the reply does not start with a marker");
    const std::string expected =
        marker == LeadInStart::kMarkerA ? std::string(kept) : "\r\n" + std::string(kept);
    fuzz::Check(start.text == expected,
                "the text is the kept reply, two lines before the settings");
    return 0;
}
