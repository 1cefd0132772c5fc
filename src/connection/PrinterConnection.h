#pragma once

#include "connection/ConnectionFailure.h"
#include "connection/InterfaceSettingsSource.h"
#include "connection/PortServices.h"
#include "connection/ReplyEnd.h"
#include "platform/Clock.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// ---- Result codes (platform error numbers; 0 = success) -------------------------------------
inline constexpr uint32_t kResultSuccess = 0;
inline constexpr uint32_t kErrorInvalidHandle = 6;         // read/write on a closed connection
inline constexpr uint32_t kErrorBadArguments = 160;        // null buffer or result pointer
inline constexpr uint32_t kErrorBusy = 170;                // COM/LPT write made no progress
inline constexpr uint32_t kErrorMoreData = 234;            // reply filled the buffer, no end
inline constexpr uint32_t kWaitTimeout = 258;              // read time-out, no other error
inline constexpr uint32_t kErrorDeviceNotConnected = 1167; // NET peer closed / socket error
inline constexpr uint32_t kErrorTimeout = 1460;            // USB/NET write made no progress
// Any other failure passes errno through unchanged.

// ---- Sizes, intervals and limits ------------------------------------------------------------
inline constexpr uint32_t kReplyBufferSize = 4096; // every Read/NetRead buffer holds this much
inline constexpr uint32_t kSerialWriteChunk = 1024;
inline constexpr uint32_t kUsbWriteChunk = 512;
inline constexpr uint32_t kUsbReadSize = 1024;
inline constexpr uint32_t kNetWriteChunk = 1024;
inline constexpr uint32_t kComPollMs = 500;
inline constexpr uint32_t kLptFirstPollMs = 100;
inline constexpr uint32_t kLptPollMs = 100; // slept twice between LPT reads
inline constexpr uint32_t kUsbReadPollMs = 50;
inline constexpr uint32_t kUsbWritePollMs = 1;
inline constexpr uint32_t kComPerWriteMs = 500;
inline constexpr uint32_t kDrainLimitMs = 2000;
inline constexpr uint32_t kCancelWaitMs = 2000;
inline constexpr uint32_t kCancelPollMs = 5;
inline constexpr uint32_t kUsbResolveLimitMs = 1000;
inline constexpr uint32_t kUsbResolveRetryMs = 100;
inline constexpr uint32_t kEchoTimeoutMs = 500;
inline constexpr uint32_t kNetDrainWaitMs = 100;
inline constexpr uint32_t kNetIdlePauseMs = 100;
inline constexpr uint32_t kNetSilenceMs = 100;
// NET read: once a reply's first byte is in, the whole reply must be complete within this;
// a printer that keeps trickling is ended here (258, the bytes so far kept). Before the first
// byte only the idle waits count (three waits of netReadTimeoutMs and two pauses).
inline constexpr uint32_t kNetReplyCapMs = 10000;
inline constexpr uint32_t kNetWritableWaitMs = 500u * 1000u; // 500 seconds
inline constexpr uint32_t kNetConnectLimitMs = 5000;

// Purposes of ConnectForOperation.
enum ConnectPurpose : int {
    kPurposeSend = 0,    // configuration send and ordinary requests
    kPurposeReceive = 1, // receive
    kPurposeSensor = 2,  // sensor adjustment: the long read time-out
};

// Kind of a port name by exact, case-sensitive prefix: "COM" or "KORVANE COM" -> 2, "LPT" -> 3,
// "USB" -> 4, anything else 0.
int32_t ClassifyPortName(std::u16string_view portName);

// The device path a port name opens, below DevRoot() (QUILLMARK_DEV_ROOT), e.g. "/dev/ttyS2":
//   "COMn:" and "KORVANE COMn:" -> ttyS(n-1) for n 1..32, ttyUSB(n-33) for 33..64,
//   ttyACM(n-65) for 65..96; "LPTn:" -> lp(n-1) for n >= 1. USB ports are looked up instead
// (PortServices::ResolveUsbPort). Empty when the name has no device (bad number, other kinds).
std::string DeviceNodeForPort(std::u16string_view portName);

// The read and write time-outs ConnectForOperation sets for a connection kind and purpose.
struct OperationTimeouts {
    uint32_t readMs = 0;
    uint32_t writeMs = 0;
};
OperationTimeouts TimeoutsFor(int32_t kind, ConnectPurpose purpose);

// Emulation of the serial port's time-out block (kept per open port): the COM write uses its
// write-total constant as the longest wait of one write call.
struct SerialTimeoutBlock {
    uint32_t readInterval = 0;
    uint32_t readMultiplier = 0;
    uint32_t readConstant = 0;
    uint32_t writeMultiplier = 0;
    uint32_t writeConstant = 0;
};

// State of one poll-driven USB transfer.
struct AsyncRecord {
    bool pending = false;
    uint32_t transferred = 0;
    int error = 0;
};

// The one connection to the printer. Opens a COM, LPT or USB port by name (Open) or a TCP
// connection (NetConnect), writes a byte block, reads one reply into a 4096-byte buffer until
// the reply is complete or a time-out passes, closes. All waits are bounded and measured with
// the Clock given at construction, so tests run them on a FakeClock.
//
// On Linux: COM is termios on the node the COM device map names, LPT is /dev/lpN, USB is
// /dev/usb/lpN, all opened non-blocking and polled at the intervals above. A device node that is
// a UNIX-domain socket (the printer simulator and tests put one in a fake device tree) is
// connected to instead of opened and then behaves like the device.
class PrinterConnection {
public:
    // `services` answers the USB lookups, parks the print queues of a held port and starts raw
    // print jobs (discovery/SystemPortServices.h on this machine, a stand-in in tests).
    PrinterConnection(Clock& clock, PortServices& services);
    ~PrinterConnection();
    PrinterConnection(const PrinterConnection&) = delete;
    PrinterConnection& operator=(const PrinterConnection&) = delete;

    // ---- COM, LPT, USB ----
    // Opens a port by name: 1 opened, 0 failed (unknown kind, already open, device missing or
    // busy). Discards stale input after opening.
    int Open(const std::u16string& portName);
    // Writes `length` bytes: 0 or a result code. `written` gets the bytes accepted (only when
    // some were). 6 when closed, 160 for null pointers.
    uint32_t Write(const uint8_t* data, uint32_t length, uint32_t* written);
    // Reads one reply into `buffer` (kReplyBufferSize bytes, zero-filled by the caller).
    // `received` is set to 0 first, then to the bytes of the reply. A reply that fills the
    // buffer without being complete is a failed read (kErrorMoreData); nothing is ever stored
    // beyond the buffer.
    uint32_t Read(uint8_t* buffer, uint32_t* received, ReplyForm form);
    // Closes the port: nonzero when closed, 0 when nothing was open.
    int Close();

    // Store the time-outs; each returns 0 without change unless open with the matching kind
    // (COM or LPT; USB; NET with a socket). The serial pair also writes/reads the port's
    // time-out block (read-total constant, write-total constant).
    int SetSerialTimeouts(uint32_t readMs, uint32_t writeMs);
    int GetSerialTimeouts(uint32_t* readMs, uint32_t* writeMs);
    int SetUsbTimeouts(uint32_t readMs);
    int SetNetTimeouts(uint32_t readMs);

    // ---- NET ----
    // One ICMP echo (empty payload, TTL 255, 500 ms): 1 reachable, 0 not. A name that is not a
    // dotted quad is resolved first (failure 0). Where the system allows neither an ICMP
    // datagram socket nor a raw socket, the check passes (1) and the connect decides.
    int Ping(const std::u16string& address);
    // TCP connect with SO_OOBINLINE and the stale-input drain: 1 connected, 0 failed.
    // Refused while a socket exists. `port` outside 1..65535 fails.
    int NetConnect(const std::u16string& address, int port);
    // Reads one reply (see Read). Peer closed: 1167 with `received` all ones. A reply that keeps
    // arriving is read to its end whatever its segments, at most kNetReplyCapMs from its first
    // byte; a silent printer ends after three waits of netReadTimeoutMs (258).
    uint32_t NetRead(uint32_t* received, uint8_t* buffer, ReplyForm form);
    // Sends in 1024-byte pieces; 1460 when nothing is accepted for netWriteTimeoutMs, 1167 on a
    // socket error. `sent` always gets the total accepted. Zero length is 160.
    uint32_t NetWrite(uint32_t length, const uint8_t* data, uint32_t* sent);
    // 1 closed, 0 nothing was open.
    int NetClose();

    // A scan's bound on every network wait of this connection: the reachability echo, the
    // connect and each wait for reply data are cut to `ms` when that is shorter than their
    // usual time-out. 0 (the default) keeps the usual time-outs.
    void LimitNetWaits(uint32_t ms) { netWaitLimitMs_ = ms; }
    uint32_t NetWaitLimitMs() const { return netWaitLimitMs_; }

    // ---- The exchange with the stored interface settings ----
    // The stored settings ConnectForOperation and Disconnect use (not owned; must outlive use).
    void SetInterfaceSettings(const InterfaceSettingsSource* source) { settings_ = source; }
    // Opens for an operation (kPurposeSend, kPurposeReceive, kPurposeSensor): 1 ready, 0 failed
    // (the caller then calls Disconnect).
    int ConnectForOperation(ConnectPurpose purpose);
    // Closes whatever the stored port type uses.
    void Disconnect();

    // Receives the text posted when a USB port is opened: the device path, "#", the port label.
    void SetUsbOpenedHandler(std::function<void(const std::u16string&)> handler) {
        usbOpened_ = std::move(handler);
    }

    // What went wrong in the last failed open, echo, connect or read since the last
    // ConnectForOperation (kind kNone when nothing did).
    const ConnectionFailure& LastFailure() const { return failure_; }

    // ---- State (read by the main window, discovery and tests) ----
    int32_t Kind() const { return kind_; }
    int Handle() const { return handle_; } // -1 when closed
    const std::u16string& PortName() const { return portName_; }
    int Socket() const { return socket_; } // -1 when there is none
    uint32_t UsbReadTimeoutMs() const { return usbReadTimeoutMs_; }
    uint32_t UsbWriteTimeoutMs() const { return usbWriteTimeoutMs_; }
    uint32_t NetReadTimeoutMs() const { return netReadTimeoutMs_; }
    uint32_t NetWriteTimeoutMs() const { return netWriteTimeoutMs_; }
    uint32_t SerialReadTimeoutMs() const { return serialReadTimeoutMs_; }
    uint32_t SerialWriteTimeoutMs() const { return serialWriteTimeoutMs_; }
    const SerialTimeoutBlock& PortTimeoutBlock() const { return timeoutBlock_; }
    // Names of the queues parked while this object holds a COM or LPT port.
    const std::vector<std::u16string>& ParkedQueues() const { return parkedQueues_; }
    // "USBnnn" label of the USB port found at open.
    const std::u16string& UsbPortLabel() const { return usbPortLabel_; }
    Clock& TimeSource() { return clock_; }
    PortServices& Services() { return services_; }

private:
    int OpenCom();
    int OpenLpt();
    int OpenUsb();
    int OpenDeviceNode(const std::string& path);
    void DrainCom();
    void DrainLpt();
    void DrainUsb();
    void CancelUsbTransfers();
    uint32_t WriteSerial(const uint8_t* data, uint32_t length, uint32_t* written);
    uint32_t WriteUsb(const uint8_t* data, uint32_t length, uint32_t* written);
    bool UsbWriteSettled();
    uint32_t WriteUsbChunk(const uint8_t* data, uint32_t length, uint32_t* written);
    uint32_t ReadCom(uint8_t* buffer, uint32_t* received, ReplyForm form);
    uint32_t ReadLpt(uint8_t* buffer, uint32_t* received, ReplyForm form);
    uint32_t ReadUsb(uint8_t* buffer, uint32_t* received, ReplyForm form);
    int ConfigureSerialTimeouts(int32_t kind, const OperationTimeouts& timeouts);

    // Fields in the order the connection object keeps them.
    int32_t kind_ = kPortNone;
    int handle_ = -1;
    std::u16string portName_;
    int socket_ = -1;
    AsyncRecord writeAsync_;
    AsyncRecord readAsync_;
    uint8_t usbBuffer_[kUsbReadSize] = {};
    uint32_t usbReadTimeoutMs_ = 0;
    uint32_t usbWriteTimeoutMs_ = 0;
    uint32_t netReadTimeoutMs_ = 0;
    uint32_t netWriteTimeoutMs_ = 0;
    uint32_t serialReadTimeoutMs_ = 0;
    uint32_t serialWriteTimeoutMs_ = 0;
    std::vector<std::u16string> parkedQueues_;
    std::u16string usbPortLabel_;

    SerialTimeoutBlock timeoutBlock_;
    bool handleIsTty_ = false;
    Clock& clock_;
    PortServices& services_;
    const InterfaceSettingsSource* settings_ = nullptr;
    uint32_t netWaitLimitMs_ = 0;
    ConnectionFailure failure_;
    std::string netTarget_; // "HOST:PORT" of the last connect
    void NoteFailure(FailureKind kind, std::string where, int errorNumber = 0, uint64_t bytes = 0,
                     uint32_t waitedMs = 0) {
        failure_ = ConnectionFailure{kind, std::move(where), errorNumber, bytes, waitedMs};
    }
    std::function<void(const std::u16string&)> usbOpened_;
};

} // namespace qm
