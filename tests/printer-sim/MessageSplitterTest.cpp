// The simulator's message splitter on its own: print data fed in pieces, with a lead-in that
// arrives split over two pieces, and print commands followed at once by more bytes.

#include "MessageSplitter.h"
#include "SimHarness.h"

#include <gtest/gtest.h>

namespace qm::simtest {
namespace {

using sim::Message;
using sim::MessageSplitter;

std::vector<Message> Feed(MessageSplitter& splitter, const std::string& bytes, size_t piece,
                          bool flushAtEnd) {
    std::vector<Message> messages;
    Message message;
    for (size_t at = 0; at < bytes.size(); at += piece) {
        const std::string part = bytes.substr(at, piece);
        splitter.Append(part.data(), part.size());
        while (splitter.Next(false, message)) {
            messages.push_back(message);
        }
    }
    while (flushAtEnd && splitter.Next(true, message)) {
        messages.push_back(message);
    }
    return messages;
}

TEST(SimMessageSplitter, PrintDataEndsAtALeadInThatArrivesInPieces) {
    const std::string data(5000, 'x');
    const std::string command = LeadIn() + "SEND CONFIG\t:\tSTANDARD\r\nEXIT\r\n";
    for (size_t piece : {1u, 7u, 1000u, 4096u}) {
        SCOPED_TRACE(piece);
        MessageSplitter splitter;
        const std::vector<Message> messages = Feed(splitter, data + command + "tail", piece, true);
        ASSERT_EQ(messages.size(), 3u);
        EXPECT_EQ(messages[0].kind, Message::Kind::kPrintData);
        EXPECT_EQ(messages[0].raw, data);
        EXPECT_EQ(messages[1].kind, Message::Kind::kCommand);
        EXPECT_EQ(messages[1].raw, command);
        EXPECT_EQ(messages[2].raw, "tail");
    }
}

TEST(SimMessageSplitter, APrintCommandIsAMessageOfItsOwn) {
    MessageSplitter splitter;
    const std::vector<Message> messages =
        Feed(splitter, std::string("\x02Z\r\n") + "U\n" + "^XA^XZ\n", 3, true);
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].raw, std::string("\x02Z\r\n"));
    EXPECT_EQ(messages[1].raw, "U\n");
    EXPECT_EQ(messages[2].raw, "^XA^XZ\n");
    for (const Message& m : messages) {
        EXPECT_EQ(m.kind, Message::Kind::kPrintData);
    }
    // A lone "U" may be the start of the Eltron self test: it waits for more, or for silence.
    MessageSplitter waiting;
    EXPECT_TRUE(Feed(waiting, "U", 1, false).empty());
    EXPECT_EQ(Feed(waiting, "", 1, true).size(), 1u);
}

} // namespace
} // namespace qm::simtest
