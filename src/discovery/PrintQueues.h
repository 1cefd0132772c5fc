#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// Result codes of a raw print job.
inline constexpr int kRawJobOk = 0;
inline constexpr int kRawJobOpenFailed = 110; // ERROR_OPEN_FAILED: the queue cannot be opened
inline constexpr int kRawJobWriteFault = 29;  // ERROR_WRITE_FAULT: any later step, or short write

// Document name and format of every raw job.
inline constexpr std::string_view kRawJobDocumentName = "My Document";

// One print queue of the CUPS server (CUPS_SERVER, else the system's default), as listed for the
// printer list of the main window. Classes are not listed.
struct QueueRecord {
    std::u16string name;   // the queue (printer) name
    std::string deviceUri; // as CUPS reports it, e.g. "serial:/dev/ttyS0?baud=9600"
    // The port the queue prints to, in the program's own naming: "COM3:" for a serial device of
    // the COM map, "LPT1:" for /dev/lp0, "USB001" for a USB printer that matches a record of
    // EnumerateUsbPrinters, otherwise the device path (serial, parallel) or the whole URI.
    std::u16string portName;
    // 2 COM, 3 LPT, 4 USB, 5 NET, 0 anything else.
    int portKind = 0;
    // Kind 2: the serial port description "COM1, 9600, 8, 1, None, None" (port, baud, data bits,
    // stop bits, parity, flow, from the URI's options); kind 3: the LPT name ("LPT1:"); kind 4:
    // the "USBnnn" label, or the URI when no record matches; kind 5: "address, port";
    // kind 0: the URI.
    std::u16string detail;
    // 1 while the queue is paused (stopped), whoever paused it.
    int paused = 0;
};

// Lists every queue in the order the server gives them. Empties `queues` first. When no CUPS
// server answers, the list stays empty and nothing is reported. Returns the number listed.
int ListQueues(std::vector<QueueRecord>& queues);

// Submits `length` bytes of `data` as one raw job named "My Document" to the queue.
// Returns 0 when every byte was accepted, 110 when the queue cannot be opened (no server, no such
// queue), 29 when a later step fails (for example a queue that rejects jobs) or fewer bytes were
// accepted than asked (also for null data with a non-zero length). `written` receives the bytes
// accepted.
int SendRawJob(std::u16string_view printerName, uint32_t& written, uint32_t length,
               const void* data);

// Parking, called by the COM and LPT open and close of the connection with its `parkedQueues`.
// ParkQueues empties `parkedQueues`, then pauses (IPP Pause-Printer) every queue whose device is
// the device of `portName` ("COM3:", "KORVANE COM3:", "LPT1:") and appends its name. A queue that
// is already paused is left alone and not listed. When the server refuses a pause (pausing needs
// root or the lpadmin group) the program says so on standard error, parks no further queues and
// returns 0; otherwise (also with no server or no matching queue) it returns 1.
int ParkQueues(std::vector<std::u16string>& parkedQueues, std::u16string_view portName);

// Resumes every queue named in `parkedQueues` that is still paused (the queues keep their device
// while parked, so `portName` only names the port being released); other queues are never
// touched. `parkedQueues` is left as it is (the next
// parking empties it). A refused resume is reported on standard error, stops the restore and
// returns 0; otherwise 1.
int RestoreQueues(const std::vector<std::u16string>& parkedQueues, std::u16string_view portName);

} // namespace qm
