#include "MessageSplitter.h"

#include "PrintCommands.h"
#include "ReplyBuilder.h"

#include <algorithm>
#include <string_view>

namespace qm::sim {

namespace {

// Fixed requests that come without lead-in.
struct FixedRequest {
    std::string_view bytes;
    Message::Kind kind;
};

constexpr FixedRequest kFixed[] = {
    {std::string_view("\x01"
                      "A",
                      2),
     Message::Kind::kStatusFlags},
    {"~HS\r\n", Message::Kind::kHostStatus},
    {"^ee\r\n", Message::Kind::kErrorCode},
};

bool IsProperPrefix(std::string_view text, std::string_view of) {
    return text.size() < of.size() && of.substr(0, text.size()) == text;
}

bool IsTerminatorLine(std::string_view line) {
    return line == "EXIT" || line == "END";
}

} // namespace

void MessageSplitter::Take(size_t length, Message::Kind kind, Message& message) {
    message.kind = kind;
    message.raw = buffer_.substr(0, length);
    message.complete = true;
    buffer_.erase(0, length);
    printScanned_ = 0;
}

bool MessageSplitter::TakeCommand(bool flush, Message& message) {
    const size_t leadIn = ReplyBuilder::LeadIn().size();
    size_t start = leadIn;
    while (start < buffer_.size()) {
        size_t end = buffer_.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            break;
        }
        std::string_view line(buffer_.data() + start, end - start);
        size_t next = end + 1;
        if (buffer_[end] == '\r') {
            if (next == buffer_.size() && !flush) {
                return false; // the LF of this CR may still come
            }
            if (next < buffer_.size() && buffer_[next] == '\n') {
                ++next;
            }
        }
        if (IsTerminatorLine(line)) {
            Take(next, Message::Kind::kCommand, message);
            return true;
        }
        start = next;
    }
    if (!flush) {
        return false;
    }
    Take(buffer_.size(), Message::Kind::kCommand, message);
    message.complete = false;
    return true;
}

bool MessageSplitter::CommandPending() const {
    const std::string& leadIn = ReplyBuilder::LeadIn();
    return buffer_.size() >= leadIn.size() && buffer_.compare(0, leadIn.size(), leadIn) == 0;
}

bool MessageSplitter::Next(bool flush, Message& message) {
    if (buffer_.empty()) {
        return false;
    }
    const std::string& leadIn = ReplyBuilder::LeadIn();
    std::string_view view(buffer_);
    if (view.substr(0, leadIn.size()) == leadIn) {
        return TakeCommand(flush, message);
    }
    bool waitForMore = IsProperPrefix(view, leadIn);
    for (const FixedRequest& fixed : kFixed) {
        if (view.substr(0, fixed.bytes.size()) == fixed.bytes) {
            Take(fixed.bytes.size(), fixed.kind, message);
            return true;
        }
        waitForMore = waitForMore || IsProperPrefix(view, fixed.bytes);
    }
    // A print command of the printer is acted on as it comes, so it is a message of its own.
    for (const PrintCommand& command : kPrintCommands) {
        if (view.substr(0, command.bytes.size()) == command.bytes) {
            Take(command.bytes.size(), Message::Kind::kPrintData, message);
            return true;
        }
        waitForMore = waitForMore || IsProperPrefix(view, command.bytes);
    }
    if (waitForMore && !flush) {
        return false;
    }
    // Print data runs up to the next lead-in, or to silence. The search goes on where the last
    // one stopped (less a lead-in's length), so a large print file arriving in pieces is read
    // through once, not once per piece.
    const size_t from =
        std::max<size_t>(1, printScanned_ >= leadIn.size() ? printScanned_ - leadIn.size() + 1 : 1);
    size_t next = buffer_.find(leadIn, from);
    if (next != std::string::npos) {
        Take(next, Message::Kind::kPrintData, message);
        return true;
    }
    if (!flush) {
        printScanned_ = buffer_.size();
        return false;
    }
    Take(buffer_.size(), Message::Kind::kPrintData, message);
    return true;
}

} // namespace qm::sim
