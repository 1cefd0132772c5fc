#include "settings/ReplyStart.h"

namespace qm {

LeadInStart ClassifyLeadIn(std::string_view bytes) {
    if (bytes.starts_with(kMarkerA)) {
        return LeadInStart::kMarkerA;
    }
    if (bytes.starts_with(kMarkerB)) {
        return LeadInStart::kMarkerB;
    }
    if (bytes.starts_with(kMarkerC)) {
        return LeadInStart::kMarkerC;
    }
    return LeadInStart::kNone;
}

ReplyStartResult CheckReplyStart(std::string_view reply) {
    ReplyStartResult result;
    for (int attempt = 0; attempt < 2; ++attempt) {
        switch (ClassifyLeadIn(reply)) {
        case LeadInStart::kMarkerA:
            result.accepted = true;
            result.text = std::string(reply);
            return result;
        case LeadInStart::kMarkerB:
        case LeadInStart::kMarkerC:
            result.accepted = true;
            result.text = "\r\n";
            result.text += reply;
            return result;
        case LeadInStart::kNone:
            if (attempt == 0 && !reply.empty()) {
                reply.remove_prefix(1); // one stray byte before the marker is forgiven
                result.droppedBytes = 1;
                continue;
            }
            break;
        }
        break;
    }
    result = ReplyStartResult{};
    return result;
}

namespace {

constexpr char kStx = '\x02';

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Whether a status reply starts as replies of its form do.
bool StartsAsStatus(std::string_view reply, int statusForm) {
    switch (statusForm) {
    case 0:
        return !reply.empty() && (reply.front() == 'Y' || reply.front() == 'N');
    case 1:
        return !reply.empty() && reply.front() == kStx;
    case 2:
        return reply.size() >= 2 && IsDigit(reply[0]) && IsDigit(reply[1]);
    default:
        return false;
    }
}

} // namespace

ReplyStartResult CheckStatusReplyStart(std::string_view reply, int statusForm) {
    ReplyStartResult result;
    if (StartsAsStatus(reply, statusForm)) {
        result.accepted = true;
    } else if (StartsAsStatus(reply.substr(reply.empty() ? 0 : 1), statusForm)) {
        reply.remove_prefix(1); // one stray byte before the status is forgiven
        result.accepted = true;
        result.droppedBytes = 1;
    } else {
        return result;
    }
    result.text = std::string(reply);
    return result;
}

} // namespace qm
