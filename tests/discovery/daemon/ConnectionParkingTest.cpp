// The connection's COM and LPT open and close park and restore the queues of the port through
// the system's port services and the private scheduler.

#include "connection/PrinterConnection.h"
#include "discovery/SystemPortServices.h"

#include "discovery/FakeDeviceTree.h"
#include "discovery/daemon/CupsTestSupport.h"
#include "platform/Encoding.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

using Names = std::vector<std::u16string>;

TEST(ConnectionParking, ComQueuesStayPausedWhileThePortIsHeld) {
    test::FakeDeviceTree tree;
    test::PseudoTerminal pty;
    tree.AddSerialPort("ttyS2", pty.SlavePath());
    const std::string queue = test::UniqueQueueName("conn_com");
    ASSERT_TRUE(test::AddQueue(queue, "serial:" + pty.SlavePath() + "?baud=9600"));

    {
        PrinterConnection connection(SystemClock::Instance(), SystemPortServices());
        ASSERT_EQ(connection.Open(u"COM3:"), 1);
        EXPECT_EQ(connection.ParkedQueues(), Names{U16(queue)});
        EXPECT_EQ(test::QueueState(queue), 5);
        EXPECT_NE(connection.Close(), 0);
        EXPECT_NE(test::QueueState(queue), 5);
    }
    test::DeleteQueue(queue);

    // A failed open gives the queues back at once: the queue names the device of COM6:, which
    // cannot be opened.
    const std::string missing = test::UniqueQueueName("conn_gone");
    ASSERT_TRUE(test::AddQueue(missing, "serial:" + tree.Dev("ttyS5")));
    PrinterConnection connection(SystemClock::Instance(), SystemPortServices());
    EXPECT_EQ(connection.Open(u"COM6:"), 0);
    EXPECT_EQ(connection.ParkedQueues(), Names{U16(missing)});
    EXPECT_NE(test::QueueState(missing), 5);
    test::DeleteQueue(missing);
}

TEST(ConnectionParking, LptQueuesGetTheirPortBackRightAfterTheOpen) {
    test::FakeDeviceTree tree;
    tree.AddParallelNode(0);
    const std::string queue = test::UniqueQueueName("conn_lpt");
    ASSERT_TRUE(test::AddQueue(queue, "parallel:/dev/lp0"));

    PrinterConnection connection(SystemClock::Instance(), SystemPortServices());
    ASSERT_EQ(connection.Open(u"LPT1:"), 1);
    EXPECT_EQ(connection.ParkedQueues(), Names{U16(queue)}); // it was parked ...
    EXPECT_NE(test::QueueState(queue), 5);                   // ... and is running again
    connection.Close();
    test::DeleteQueue(queue);
}

} // namespace
} // namespace qm
