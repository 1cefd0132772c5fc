#include "ReplyPlan.h"

namespace qm::sim {

ReplyPlan ReplyPlan::For(const std::string& reply, const SimOptions& options, long sentBefore) {
    ReplyPlan plan;
    if (options.silent) {
        plan.withhold = true;
        return plan;
    }
    plan.delayMs = options.delayMs;
    plan.bytes = std::string(static_cast<size_t>(options.strayBytes), '?') + reply;
    if (options.dropAfter >= 0 &&
        sentBefore + static_cast<long>(plan.bytes.size()) >= options.dropAfter) {
        plan.bytes.resize(static_cast<size_t>(options.dropAfter - sentBefore));
        plan.drop = true;
    }
    plan.pieceBytes =
        options.trickleBytes > 0 ? static_cast<size_t>(options.trickleBytes) : plan.bytes.size();
    plan.gapMs = options.trickleMs;
    return plan;
}

} // namespace qm::sim
