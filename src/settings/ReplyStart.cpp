#include "settings/ReplyStart.h"

#include "settings/StatusDecoder.h"

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

ReplyStartResult CheckStatusReplyStart(std::string_view reply, int statusForm) {
    ReplyStartResult result;
    switch (statusForm) {
    case static_cast<int>(StatusForm::kFlags):
    case static_cast<int>(StatusForm::kHostStatus):
        // These decoders find their start themselves: the reply is kept as received.
        if (!StatusDecoder::FindsStatus(statusForm, reply)) {
            return result;
        }
        break;
    case static_cast<int>(StatusForm::kErrorCode):
        if (!StatusDecoder::FindsStatus(statusForm, reply)) {
            if (reply.empty() || !StatusDecoder::FindsStatus(statusForm, reply.substr(1))) {
                return result;
            }
            reply.remove_prefix(1); // one stray byte before the code is forgiven
            result.droppedBytes = 1;
        }
        break;
    default:
        return result;
    }
    result.accepted = true;
    result.text = std::string(reply);
    return result;
}

} // namespace qm
