#include "discovery/CupsRawJob.h"

#include "discovery/CupsClient.h"
#include "discovery/PrintQueues.h"

#include <algorithm>
#include <cups/cups.h>
#include <string>

namespace qm {
namespace {

constexpr size_t kWriteChunk = 4096;

class CupsRawJobSteps : public RawJobSteps {
public:
    bool Open(std::string_view printerName) override {
        name_ = std::string(printerName);
        client_ = std::make_unique<CupsClient>();
        return client_->Connected() && client_->PrinterExists(name_);
    }

    bool StartDocument(std::string_view documentName) override {
        const std::string title(documentName);
        jobId_ = cupsCreateJob(client_->Http(), name_.c_str(), title.c_str(), 0, nullptr);
        if (jobId_ <= 0) {
            jobId_ = 0;
            return false;
        }
        if (cupsStartDocument(client_->Http(), name_.c_str(), jobId_, title.c_str(),
                              CUPS_FORMAT_RAW, 1) != HTTP_STATUS_CONTINUE) {
            Cancel();
            return false;
        }
        documentOpen_ = true;
        return true;
    }

    size_t Write(const uint8_t* data, size_t length) override {
        size_t accepted = 0;
        while (accepted < length) {
            const size_t piece = std::min(kWriteChunk, length - accepted);
            if (cupsWriteRequestData(client_->Http(),
                                     reinterpret_cast<const char*>(data + accepted),
                                     piece) != HTTP_STATUS_CONTINUE) {
                break;
            }
            accepted += piece;
        }
        return accepted;
    }

    bool EndDocument() override {
        documentOpen_ = false;
        return cupsFinishDocument(client_->Http(), name_.c_str()) <= IPP_STATUS_OK_EVENTS_COMPLETE;
    }

    void Cancel() override {
        if (documentOpen_) {
            // Dropping the connection ends the unfinished upload; the job is then withdrawn.
            documentOpen_ = false;
            client_.reset();
        }
        if (jobId_ > 0) {
            CupsClient fresh;
            if (fresh.Connected()) {
                cupsCancelJob2(fresh.Http(), name_.c_str(), jobId_, 1);
            }
            jobId_ = 0;
        }
    }

    void Close() override { client_.reset(); }

private:
    std::string name_;
    std::unique_ptr<CupsClient> client_;
    int jobId_ = 0;
    bool documentOpen_ = false;
};

} // namespace

int RunRawJob(RawJobSteps& steps, std::string_view printerName, uint32_t& written, uint32_t length,
              const void* data) {
    written = 0;
    if (!data && length > 0) {
        return kRawJobWriteFault;
    }
    if (!steps.Open(printerName)) {
        steps.Close();
        return kRawJobOpenFailed;
    }
    if (!steps.StartDocument(kRawJobDocumentName)) {
        steps.Close();
        return kRawJobWriteFault;
    }
    const size_t accepted = length > 0 ? steps.Write(static_cast<const uint8_t*>(data), length) : 0;
    written = static_cast<uint32_t>(std::min<size_t>(accepted, length));
    if (written < length) {
        steps.Cancel();
        steps.Close();
        return kRawJobWriteFault;
    }
    const bool ended = steps.EndDocument();
    steps.Close();
    return ended ? kRawJobOk : kRawJobWriteFault;
}

std::unique_ptr<RawJobSteps> MakeCupsRawJobSteps() {
    return std::make_unique<CupsRawJobSteps>();
}

} // namespace qm
