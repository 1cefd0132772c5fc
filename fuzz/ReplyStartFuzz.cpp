// The reply-start checks: an accepted menu reply is the received bytes (or all but one stray
// first byte), with CR LF put in front exactly when it starts with marker B or C; an accepted
// status reply is the received bytes or all but one stray first byte, and starts as its form.

#include "FuzzSupport.h"

#include "settings/ReplyStart.h"

using namespace qm;

namespace {

void CheckStatusStart(std::string_view reply) {
    for (int form = 0; form < 3; ++form) {
        const ReplyStartResult start = CheckStatusReplyStart(reply, form);
        if (!start.accepted) {
            fuzz::Check(start.text.empty(), "a refused status gives nothing");
            continue;
        }
        fuzz::Check(start.droppedBytes == 0 || start.droppedBytes == 1,
                    "at most one status byte dropped");
        fuzz::Check(start.text == reply.substr(static_cast<size_t>(start.droppedBytes)),
                    "the status is kept as received after the dropped byte");
        const char first = start.text.empty() ? '\0' : start.text.front();
        const bool starts = form == 0   ? first == 'Y' || first == 'N'
                            : form == 1 ? first == '\x02'
                                        : start.text.size() >= 2 && first >= '0' && first <= '9';
        fuzz::Check(starts, "a kept status starts as its form does");
        if (start.droppedBytes == 1) {
            // A byte is dropped only from a reply that does not start as its form.
            fuzz::Check(!CheckStatusReplyStart(reply, form).accepted ||
                            CheckStatusReplyStart(reply, form).droppedBytes == 1,
                        "the dropped byte was stray");
            const ReplyStartResult kept = CheckStatusReplyStart(start.text, form);
            fuzz::Check(kept.accepted && kept.droppedBytes == 0,
                        "the kept status passes the check whole");
        }
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
