// The reply-start check: an accepted reply is the received bytes (or all but one stray first
// byte), with CR LF put in front exactly when it starts with marker B or C.

#include "FuzzSupport.h"

#include "settings/ReplyStart.h"

using namespace qm;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view reply(reinterpret_cast<const char*>(data), size);
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
