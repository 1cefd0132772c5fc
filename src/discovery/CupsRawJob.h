#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace qm {

// The steps of one raw print job, so the result rules can be checked without a print server.
class RawJobSteps {
public:
    virtual ~RawJobSteps() = default;
    // Reaches the queue; false when it cannot be opened (no server, no such queue).
    virtual bool Open(std::string_view printerName) = 0;
    // Creates the job with its document name and starts its one raw document.
    virtual bool StartDocument(std::string_view documentName) = 0;
    // Sends the bytes; returns how many were accepted (fewer on a failure).
    virtual size_t Write(const uint8_t* data, size_t length) = 0;
    // Ends the document and hands the job over for printing.
    virtual bool EndDocument() = 0;
    // Withdraws a started job whose data did not all arrive.
    virtual void Cancel() = 0;
    virtual void Close() = 0;
};

// Runs a raw job: open (failure 110); start the document (failure 29); write all bytes in one
// call; a write that accepts fewer bytes than asked cancels the job, so a printer never receives
// a cut-off configuration, and gives 29; end the document (failure 29); close. `written`
// receives the bytes accepted (0 until the write). Null data with a non-zero length gives 29
// without opening the queue.
int RunRawJob(RawJobSteps& steps, std::string_view printerName, uint32_t& written, uint32_t length,
              const void* data);

// The libcups steps: Create-Job and Send-Document in the raw format.
std::unique_ptr<RawJobSteps> MakeCupsRawJobSteps();

} // namespace qm
