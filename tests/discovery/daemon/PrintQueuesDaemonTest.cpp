#include "discovery/PrintQueues.h"

#include "discovery/FakeDeviceTree.h"
#include "discovery/daemon/CupsTestSupport.h"
#include "platform/Encoding.h"

#include <cups/cups.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace qm {
namespace {

using test::FakeDeviceTree;
using test::PseudoTerminal;
using test::TcpSink;

// Deletes the queues a test made, whatever way the test ends.
class QueueSet {
public:
    ~QueueSet() {
        for (const std::string& name : names_) {
            test::DeleteQueue(name);
        }
    }
    std::string Add(const std::string& stem, const std::string& uri,
                    const std::string& extra = {}) {
        const std::string name = test::UniqueQueueName(stem);
        names_.push_back(name);
        EXPECT_TRUE(test::AddQueue(name, uri, extra)) << "lpadmin refused " << uri;
        return name;
    }

private:
    std::vector<std::string> names_;
};

const QueueRecord* Find(const std::vector<QueueRecord>& queues, const std::string& name) {
    const auto it = std::find_if(queues.begin(), queues.end(),
                                 [&](const QueueRecord& q) { return q.name == U16(name); });
    return it == queues.end() ? nullptr : &*it;
}

std::string BinaryFrame(size_t size) {
    std::string data = std::string("~!!\r\n\x02\x1b~A\r\n~\x1b~A\r\n", 17);
    for (size_t i = data.size(); i < size; ++i) {
        data += static_cast<char>(i * 7 % 256); // every byte value, NUL included
    }
    return data;
}

TEST(SendRawJob, DeliversEveryByteThroughTheQueue) {
    TcpSink sink;
    QueueSet queues;
    const std::string name = queues.Add("raw", "socket://127.0.0.1:" + std::to_string(sink.Port()));

    const std::string frame = BinaryFrame(3000);
    uint32_t written = 0;
    ASSERT_EQ(SendRawJob(U16(name), written, static_cast<uint32_t>(frame.size()), frame.data()),
              kRawJobOk);
    EXPECT_EQ(written, frame.size());
    sink.WaitFor(frame.size(), 20000);
    const std::string received = sink.WaitFor(frame.size() + 1, 300); // nothing more follows
    EXPECT_EQ(received.size(), frame.size());
    EXPECT_TRUE(received == frame) << "the printer received other bytes than were sent";

    // A queue that does not exist cannot be opened.
    written = 5;
    EXPECT_EQ(SendRawJob(u"qm_no_such_queue", written, 3, "abc"), kRawJobOpenFailed);
    EXPECT_EQ(written, 0u);
}

TEST(SendRawJob, AQueueThatRejectsJobsGivesWriteFault) {
    TcpSink sink;
    QueueSet queues;
    const std::string name =
        queues.Add("reject", "socket://127.0.0.1:" + std::to_string(sink.Port()));
    ASSERT_EQ(test::Run("cupsreject '" + name + "'"), 0);
    uint32_t written = 0;
    EXPECT_EQ(SendRawJob(U16(name), written, 3, "abc"), kRawJobWriteFault);
    EXPECT_EQ(sink.WaitFor(1, 1000), "");
}

TEST(ListQueues, ClassifiesEachQueueByItsDevice) {
    FakeDeviceTree tree;
    PseudoTerminal pty;
    tree.AddSerialPort("ttyS0", pty.SlavePath());
    tree.AddUsbPrinter(0, "04b8", "0202", "SER01", true);
    QueueSet queues;
    const std::string serial =
        queues.Add("serial", "serial:" + pty.SlavePath() + "?baud=19200+bits=8+flow=soft");
    const std::string net = queues.Add("net", "socket://127.0.0.1:9101");
    const std::string lpt = queues.Add("lpt", "parallel:/dev/lp0");
    const std::string usb = queues.Add("usb", "usb://Maker/Label%20Printer?serial=SER01");
    const std::string ipp = queues.Add("ipp", "ipp://printer02:631/ipp/print");
    const std::string other = queues.Add("other", "file:///dev/null");
    ASSERT_TRUE(test::PauseQueueByHand(other));

    std::vector<QueueRecord> list;
    ASSERT_GE(ListQueues(list), 6);

    const QueueRecord* q = Find(list, serial);
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(q->portKind, 2);
    EXPECT_EQ(q->portName, u"COM1:");
    EXPECT_EQ(q->detail, u"COM1, 19200, 8, 1, None, Xon/Xoff");
    EXPECT_EQ(q->paused, 0);

    ASSERT_NE(q = Find(list, net), nullptr);
    EXPECT_EQ(q->portKind, 5);
    EXPECT_EQ(q->detail, u"127.0.0.1, 9101");
    ASSERT_NE(q = Find(list, lpt), nullptr);
    EXPECT_EQ(q->portKind, 3);
    EXPECT_EQ(q->detail, u"LPT1:");
    ASSERT_NE(q = Find(list, usb), nullptr);
    EXPECT_EQ(q->portKind, 4);
    EXPECT_EQ(q->detail, u"USB001");
    ASSERT_NE(q = Find(list, ipp), nullptr);
    EXPECT_EQ(q->portKind, 5);
    EXPECT_EQ(q->detail, u"printer02, 631");
    ASSERT_NE(q = Find(list, other), nullptr);
    EXPECT_EQ(q->portKind, 0);
    EXPECT_EQ(q->detail, u"file:///dev/null");
    EXPECT_EQ(q->paused, 1);
}

TEST(ParkQueues, PausesTheQueuesOfThePortAndRestoreResumesExactlyThem) {
    FakeDeviceTree tree;
    PseudoTerminal pty;
    PseudoTerminal otherPty;
    tree.AddSerialPort("ttyS0", pty.SlavePath());
    tree.AddSerialPort("ttyS1", otherPty.SlavePath());
    TcpSink sink;
    QueueSet queues;
    const std::string first = queues.Add("park1", "serial:" + pty.SlavePath() + "?baud=9600");
    const std::string second = queues.Add("park2", "serial:" + pty.SlavePath());
    const std::string byHand = queues.Add("park3", "serial:" + pty.SlavePath());
    const std::string elsewhere = queues.Add("park4", "serial:" + otherPty.SlavePath());
    const std::string network =
        queues.Add("park5", "socket://127.0.0.1:" + std::to_string(sink.Port()));
    ASSERT_TRUE(test::PauseQueueByHand(byHand));

    std::vector<std::u16string> parked{u"stale"};
    ASSERT_EQ(ParkQueues(parked, u"COM1:"), 1);
    std::sort(parked.begin(), parked.end());
    EXPECT_EQ(parked, (std::vector<std::u16string>{U16(first), U16(second)}));
    EXPECT_EQ(test::QueueState(first), 5);
    EXPECT_EQ(test::QueueState(second), 5);
    EXPECT_EQ(test::QueueState(byHand), 5);
    EXPECT_NE(test::QueueState(elsewhere), 5);
    EXPECT_NE(test::QueueState(network), 5);

    // A job sent while the port is held waits in the queue.
    const std::string frame = BinaryFrame(200);
    uint32_t written = 0;
    ASSERT_EQ(SendRawJob(U16(first), written, static_cast<uint32_t>(frame.size()), frame.data()),
              kRawJobOk);
    EXPECT_EQ(pty.ReadFor(1, 1500), "");

    ASSERT_EQ(RestoreQueues(parked, u"COM1:"), 1);
    EXPECT_NE(test::QueueState(first), 5);
    EXPECT_NE(test::QueueState(second), 5);
    EXPECT_EQ(test::QueueState(byHand), 5) << "a queue paused by someone else was resumed";
    EXPECT_EQ(parked.size(), 2u);

    // The held job reaches the port once the queue runs again.
    EXPECT_TRUE(pty.ReadFor(frame.size(), 20000) == frame);
}

TEST(ParkQueues, MakerComNamesAndLptNamesParkTheirDevices) {
    FakeDeviceTree tree;
    PseudoTerminal pty;
    tree.AddSerialPort("ttyS4", pty.SlavePath());
    QueueSet queues;
    const std::string serial = queues.Add("maker", "serial:" + tree.Dev("ttyS4"));
    tree.AddParallelNode(1);
    const std::string parallel = queues.Add("lpt2", "file://" + tree.Dev("lp1"));

    std::vector<std::u16string> parked;
    ASSERT_EQ(ParkQueues(parked, u"KORVANE COM5:"), 1);
    EXPECT_EQ(parked, std::vector<std::u16string>{U16(serial)});
    ASSERT_EQ(RestoreQueues(parked, u"KORVANE COM5:"), 1);
    EXPECT_NE(test::QueueState(serial), 5);

    ASSERT_EQ(ParkQueues(parked, u"LPT2:"), 1);
    EXPECT_EQ(parked, std::vector<std::u16string>{U16(parallel)});
    ASSERT_EQ(RestoreQueues(parked, u"LPT2:"), 1);
    EXPECT_NE(test::QueueState(parallel), 5);

    // Ports without a device park nothing.
    ASSERT_EQ(ParkQueues(parked, u"COM0:"), 1);
    EXPECT_TRUE(parked.empty());
}

TEST(ParkQueues, ARefusedPauseIsReportedAndParksNothing) {
    FakeDeviceTree tree;
    PseudoTerminal pty;
    tree.AddSerialPort("ttyS0", pty.SlavePath());
    QueueSet queues;
    const std::string name =
        queues.Add("refused", "serial:" + pty.SlavePath(), "-o printer-op-policy=refuse-pause");
    std::vector<std::u16string> parked;
    ::testing::internal::CaptureStderr();
    const int result = ParkQueues(parked, u"COM1:");
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(parked.empty());
    EXPECT_NE(test::QueueState(name), 5);
    EXPECT_NE(said.find(name), std::string::npos) << said;
    EXPECT_NE(said.find("lpadmin group"), std::string::npos) << said;
}

TEST(PrintQueues, WithoutASchedulerNothingIsListedAndJobsCannotOpen) {
    cupsSetServer("/nonexistent/quillmark/cups.sock");
    std::vector<QueueRecord> list{QueueRecord{}};
    EXPECT_EQ(ListQueues(list), 0);
    EXPECT_TRUE(list.empty());
    uint32_t written = 0;
    EXPECT_EQ(SendRawJob(u"anything", written, 3, "abc"), kRawJobOpenFailed);
    std::vector<std::u16string> parked{u"stale"};
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(ParkQueues(parked, u"COM1:"), 1);
    EXPECT_EQ(RestoreQueues({u"x"}, u"COM1:"), 1);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(parked.empty());
    cupsSetServer(nullptr);
}

} // namespace
} // namespace qm
