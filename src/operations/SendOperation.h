#pragma once

#include "connection/InterfaceSettingsSource.h"
#include "connection/PrinterConnection.h"
#include "operations/OperationCode.h"
#include "settings/ConfigurationWriter.h"
#include "settings/SettingsParser.h"
#include "settings/SettingsRecord.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace qm {

// Which keys a built configuration uses for the RFID entries 100-107
// (ConfigurationWriter::WriteConfiguration).
enum class ConfigurationUse : int {
    kFile = 0,    // primary keys: settings files, the recent file, the sensor adjustment
    kPrinter = 1, // the printer's alternative keys: Send Configuration
};

// A configuration built from the ticked items of the record.
struct BuiltConfiguration {
    int code = kOperationOk; // 0; 24 nothing ticked; 23 a ticked item is marked bad
    std::u16string text;     // the configuration text ("...END\r\n"), also when refused
};

// What the printer said to the RFID check.
struct RfidSupport {
    int code = kOperationOk; // 0, or 30, 31, 32, 40 as in a receive
    bool supported = false;  // the printer's STANDARD settings hold an "RFID SETTINGS" line
    uint32_t error = 0;
};

// A configuration after the RFID check of Send Configuration.
struct RfidCheckedConfiguration {
    RfidSupport rfid;         // what the printer said (not asked: code 0, supported false)
    bool asked = false;       // RFID items were ticked, so the printer was asked
    bool removed = false;     // the printer has no RFID: the RFID items were unticked
    BuiltConfiguration built; // the configuration to send (rebuilt when items were removed)
};

// The outcome of a send.
struct SendResult {
    int code = kOperationOk; // 0; 30 the port (or the queue) cannot be opened; 31 the write
                             // failed, wrote less, or the configuration does not fit the
                             // 4096-byte send buffer
    uint32_t error = 0;      // the connection's result code, or the raw job's 110 / 29
    bool tooLarge = false;   // nothing was sent because the frame exceeds the send buffer
};

// Send Configuration, once for every front end: build the configuration of the ticked items
// and parse it back to mark the values the printer would refuse, check that a printer asked
// for RFID items has them, and send the 17-byte lead-in and the text: written to a COM, LPT or
// USB port, sent over the socket, or submitted as one raw print job to a print queue (which is
// never opened as a port). No reply is read.
//
// Like ReceiveOperation it keeps references only and no state of its own.
class SendOperation {
public:
    SendOperation(SettingsRecord& record, const ConfigurationWriter& writer,
                  SettingsParser& parser);

    // Writes the ticked items (the caller has made them send-ready, as the pages do) into
    // record.text and parses the text back (fromOutside = 0) so that refused values carry
    // their error marks. 24 when no item is ticked, 23 when a ticked item is marked.
    BuiltConfiguration Build(ConfigurationUse use);

    // Asks the printer for its STANDARD settings (lead-in and the kind 1 request, read as a
    // kind 1 reply), keeps the reply in record.rfidCheckText and tells whether it holds the
    // RFID section.
    RfidSupport CheckRfidSupport(PrinterConnection& connection,
                                 const InterfaceSettingsSource& settings);

    // The RFID check of Send Configuration on the record's ticked items: when RFID items are
    // ticked the printer is asked (CheckRfidSupport); a printer without RFID gets them
    // unticked and the configuration is built again (code 24 when nothing is left). Without
    // RFID items nothing is asked and the configuration is built as it is. A failed check
    // (rfid.code 30, 31, 32, 40) builds nothing.
    RfidCheckedConfiguration BuildCheckingRfid(ConfigurationUse use, PrinterConnection& connection,
                                               const InterfaceSettingsSource& settings);

    // BuildCheckingRfid(kPrinter) on a copy of the send-ready record `ready`, with a parser and
    // writer of its options: what a send to one printer does before it sends, while the
    // caller's record stays as it is.
    static RfidCheckedConfiguration BuildForPrinter(const SettingsRecord& ready,
                                                    const SettingsOptions& options,
                                                    PrinterConnection& connection,
                                                    const InterfaceSettingsSource& settings);

    // Sends the lead-in and `text` (a built configuration) through the stored interface.
    static SendResult Send(std::u16string_view text, PrinterConnection& connection,
                           const InterfaceSettingsSource& settings);

    // The RFID entries of the record (100-107) that are ticked; UntickRfidItems unticks them.
    static int CountTickedRfidItems(const SettingsRecord& record);
    static void UntickRfidItems(SettingsRecord& record);

private:
    SettingsRecord& record_;
    const ConfigurationWriter& writer_;
    SettingsParser& parser_;
};

} // namespace qm
