// The reply-start checks: an accepted menu reply is the received bytes (or all but one stray
// first byte), with CR LF put in front exactly when it starts with marker B or C; an accepted
// status reply is the received bytes or all but one stray first byte, and starts as its form.

#include "FuzzSupport.h"

#include "settings/ReplyStart.h"

using namespace qm;

namespace {

// How a status reply of each form begins: a Y/N flag, STX, two digits.
bool StartsAs(std::string_view text, int form) {
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    switch (form) {
    case 0:
        return !text.empty() && (text[0] == 'Y' || text[0] == 'N');
    case 1:
        return !text.empty() && text[0] == '\x02';
    default:
        return text.size() >= 2 && digit(text[0]) && digit(text[1]);
    }
}

void CheckStatusStart(std::string_view reply) {
    for (int form = 0; form < 3; ++form) {
        const ReplyStartResult start = CheckStatusReplyStart(reply, form);
        const bool expected =
            StartsAs(reply, form) || (!reply.empty() && StartsAs(reply.substr(1), form));
        fuzz::Check(
            start.accepted == expected,
            "a status is accepted exactly when it or all but its first byte starts as its form");
        if (!start.accepted) {
            fuzz::Check(start.text.empty() && start.droppedBytes == 0,
                        "a refused status gives nothing");
            continue;
        }
        const int dropped = StartsAs(reply, form) ? 0 : 1;
        fuzz::Check(start.droppedBytes == dropped,
                    "a byte is dropped only from a reply that does not start as its form");
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
