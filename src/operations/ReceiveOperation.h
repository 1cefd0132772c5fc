#pragma once

#include "connection/InterfaceSettingsSource.h"
#include "connection/PrinterConnection.h"
#include "operations/OperationCode.h"
#include "settings/ConfigurationWriter.h"
#include "settings/SettingsParser.h"
#include "settings/SettingsRecord.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// The name of the lock around a receive, shared by the window and the command line of every
// running program (platform/InstanceLock.h): a second receive returns at once.
inline constexpr std::string_view kReceiveLockName = "mtx_recv_config";

// The receive scopes, in the order of the window's scope list.
enum class ReceiveScope : int {
    kEasy = 0,
    kStandard = 1,
    kAdvanced = 2,
    kInformation = 3,
    kAll = 4,
};
inline constexpr int kReceiveScopeCount = 5;
inline constexpr int kRequestKindCount = 7; // request kinds 0-6 (ConfigurationWriter.h)

// The request kinds of a scope in the order they are sent: EASY 0; STANDARD 1; ADVANCED 2;
// INFORMATION 6 then 3, or 6 alone when only the printer status is asked for; ALL 4, 6, 3.
std::vector<RequestKind> RequestKindsForScope(ReceiveScope scope, bool statusOnly = false);
// The request kinds of a Self Info request: the machine information (5), then the STANDARD
// settings (1).
std::vector<RequestKind> SelfInfoRequestKinds();
// Kinds 0, 1, 2 and 4 ask for menu settings: their reply is parsed into the record.
bool IsMenuRequestKind(RequestKind kind);
// The status form (kind 6) of a model's own command language when nothing else chooses it:
// 0 the native language, 1 the Zebra emulation, 2 the Eltron emulation. (The window takes it
// from the Standard page's Emulation Select choice instead.)
int DefaultStatusClass(int model);

// What a front end adds between the steps of a receive. Every call has a default that does
// nothing, so the command line overrides only what it needs.
class ReceiveObserver {
public:
    virtual ~ReceiveObserver() = default;
    // Before the connection opens for a kind (its request text is already in record.text):
    // the window points its interface selection at the port behind a print queue here.
    virtual void BeforeExchange(RequestKind kind) { (void)kind; }
    // After the exchange of a kind has closed the connection, whether it succeeded or not:
    // the window ends that redirection here.
    virtual void AfterExchange(RequestKind kind) { (void)kind; }
    // A menu reply (kinds 0, 1, 2, 4) was parsed into the record: every received item ticked,
    // rejected values marked. Called before the kind's forgetting (see ReceiveOperation).
    virtual void MenuParsed(RequestKind kind) { (void)kind; }
    // After the record forgot what a kind does not keep; the pages show the received values.
    virtual void MenuKept(RequestKind kind) { (void)kind; }
    // The status reply (kind 6) and the counters reply (kind 3), also in record.text.
    virtual void StatusReceived(const std::string& reply) { (void)reply; }
    virtual void CountersReceived(const std::string& reply) { (void)reply; }
    // The machine-information reply (kind 5), also in record.text.
    virtual void MachineInfoReceived(const std::string& reply) { (void)reply; }
};

// How a receive ended.
struct ReceiveResult {
    int code = kOperationOk;               // 0, or 30, 31, 32, 40 (OperationCode.h)
    std::optional<RequestKind> failedKind; // the kind whose step failed; none when none did
    bool silent = false;                   // the counters request failed: a stop without a message
    uint32_t error = 0;         // the connection's result code of the failing call, if any
    int droppedBytes = 0;       // stray bytes dropped before a menu reply's lead-in (0 or 1)
    int statusDroppedBytes = 0; // stray bytes dropped before the status reply (0 or 1)
    // The replies as received, by request kind; received[kind] tells which kinds answered.
    std::array<std::string, kRequestKindCount> replies{};
    std::array<bool, kRequestKindCount> received{};

    bool Ok() const { return code == kOperationOk; }
    const std::string& Reply(RequestKind kind) const { return replies[KindIndex(kind)]; }
    bool Received(RequestKind kind) const { return received[KindIndex(kind)]; }
    static constexpr size_t KindIndex(RequestKind kind) { return static_cast<size_t>(kind); }
};

// The receive sequence, once for every front end. For each request kind in order: the request
// text is built into the record (kind 6 in the status form of the emulation class), the
// connection opens for a receive, the text goes out framed (the 17-byte lead-in in front,
// except for kind 6), the reply is read for its kind and the connection closes. A menu reply
// must then begin with its lead-in (marker A as it is, marker B or C with CR LF put in front;
// one stray byte before it is dropped, a second one refuses the reply) and is parsed into the
// record as coming from outside; then an EASY reply forgets every item but the six Easy ones
// and a STANDARD or ALL reply forgets the wireless keys, the pre-shared key and the EAP
// password. The first failing step ends the sequence.
//
// The object holds references only; everything it works on is passed in, so every printer
// (each with its own connection and record) can run its own receive in its own thread.
class ReceiveOperation {
public:
    ReceiveOperation(SettingsRecord& record, SettingsParser& parser, PrinterConnection& connection,
                     const InterfaceSettingsSource& settings);

    // Resets the record (record.modelIndex stays) and runs the kinds in order. statusClass
    // (0, 1, 2) is the status form of kind 6.
    ReceiveResult Run(const std::vector<RequestKind>& kinds, int statusClass,
                      ReceiveObserver& observer);
    ReceiveResult Run(const std::vector<RequestKind>& kinds, int statusClass);

    // The menu-reply step alone, on a reply already read: start check, parse, forgetting.
    // 0, or 32 when the reply's start is refused or the record's model is out of range.
    int TakeMenuReply(RequestKind kind, std::string_view reply, ReceiveObserver& observer,
                      int* droppedBytes = nullptr);

private:
    SettingsRecord& record_;
    SettingsParser& parser_;
    PrinterConnection& connection_;
    const InterfaceSettingsSource& settings_;
};

} // namespace qm
