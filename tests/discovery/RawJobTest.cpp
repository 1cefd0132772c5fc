#include "discovery/CupsRawJob.h"

#include "discovery/PrintQueues.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qm {
namespace {

// Records the steps a raw job takes and fails where told.
class ScriptedSteps : public RawJobSteps {
public:
    bool openOk = true;
    bool startOk = true;
    size_t acceptLimit = SIZE_MAX;
    bool endOk = true;
    std::vector<std::string> calls;
    std::string printer;
    std::string document;
    std::string data;

    bool Open(std::string_view name) override {
        calls.push_back("open");
        printer = name;
        return openOk;
    }
    bool StartDocument(std::string_view name) override {
        calls.push_back("start");
        document = name;
        return startOk;
    }
    size_t Write(const uint8_t* bytes, size_t length) override {
        calls.push_back("write");
        const size_t taken = std::min(length, acceptLimit);
        data.append(reinterpret_cast<const char*>(bytes), taken);
        return taken;
    }
    bool EndDocument() override {
        calls.push_back("end");
        return endOk;
    }
    void Cancel() override { calls.push_back("cancel"); }
    void Close() override { calls.push_back("close"); }
};

using Calls = std::vector<std::string>;

TEST(RunRawJob, SendsEveryByteAsOneRawDocument) {
    ScriptedSteps steps;
    const std::string frame("~!!\r\n\x02\x1b~A\r\nEND\0\xff", 17);
    uint32_t written = 99;
    EXPECT_EQ(RunRawJob(steps, "Label", written, static_cast<uint32_t>(frame.size()), frame.data()),
              kRawJobOk);
    EXPECT_EQ(written, frame.size());
    EXPECT_EQ(steps.data, frame);
    EXPECT_EQ(steps.printer, "Label");
    EXPECT_EQ(steps.document, "My Document");
    EXPECT_EQ(steps.calls, (Calls{"open", "start", "write", "end", "close"}));
}

TEST(RunRawJob, FailuresGiveOpenOrWriteFault) {
    const char data[] = "abcdef";
    uint32_t written = 0;
    {
        ScriptedSteps steps;
        steps.openOk = false;
        EXPECT_EQ(RunRawJob(steps, "q", written, 6, data), kRawJobOpenFailed);
        EXPECT_EQ(steps.calls, (Calls{"open", "close"}));
    }
    {
        ScriptedSteps steps;
        steps.startOk = false;
        EXPECT_EQ(RunRawJob(steps, "q", written, 6, data), kRawJobWriteFault);
        EXPECT_EQ(steps.calls, (Calls{"open", "start", "close"}));
    }
    {
        // Every call succeeds but fewer bytes were taken: the job is withdrawn, not printed.
        ScriptedSteps steps;
        steps.acceptLimit = 4;
        EXPECT_EQ(RunRawJob(steps, "q", written, 6, data), kRawJobWriteFault);
        EXPECT_EQ(written, 4u);
        EXPECT_EQ(steps.calls, (Calls{"open", "start", "write", "cancel", "close"}));
    }
    {
        ScriptedSteps steps;
        steps.endOk = false;
        EXPECT_EQ(RunRawJob(steps, "q", written, 6, data), kRawJobWriteFault);
        EXPECT_EQ(written, 6u);
    }
    {
        ScriptedSteps steps;
        EXPECT_EQ(RunRawJob(steps, "q", written, 6, nullptr), kRawJobWriteFault);
        EXPECT_TRUE(steps.calls.empty());
        EXPECT_EQ(written, 0u);
    }
}

} // namespace
} // namespace qm
