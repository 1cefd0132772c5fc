#include "discovery/PrintQueues.h"

#include "discovery/CupsClient.h"
#include "discovery/CupsDeviceUri.h"
#include "discovery/CupsQueueRules.h"
#include "discovery/CupsRawJob.h"
#include "discovery/LocalPorts.h"
#include "discovery/SerialPorts.h"
#include "discovery/UsbPorts.h"
#include "platform/Encoding.h"

#include <algorithm>
#include <cstdio>

namespace qm {
namespace {

// The device a COM or LPT port name stands for; empty for other names.
std::string PortDevice(std::u16string_view portName) {
    std::string device = SerialDevicePath(portName);
    if (device.empty()) {
        device = LptDevicePath(portName);
    }
    return device;
}

// True when a queue prints straight to `device` (a serial, parallel or file URI on it).
bool PrintsTo(const CupsClient::Printer& printer, const std::string& device) {
    CupsDeviceUri uri;
    if (!ParseCupsDeviceUri(printer.deviceUri, uri) || !uri.host.empty()) {
        return false;
    }
    if (uri.scheme != "serial" && uri.scheme != "parallel" && uri.scheme != "file") {
        return false;
    }
    return DeviceOfPort(uri.path, device);
}

void ReportRefusal(const char* action, const std::string& queue, const CupsClient& client) {
    std::fprintf(stderr, "quillmark: the print queue \"%s\" could not be %s: %s.%s\n",
                 queue.c_str(), action, client.ErrorText().c_str(),
                 client.LastWasRefused()
                     ? " Pausing and resuming a queue needs root or membership of the lpadmin"
                       " group."
                     : "");
}

} // namespace

int ListQueues(std::vector<QueueRecord>& queues) {
    queues.clear();
    CupsClient client;
    std::vector<CupsClient::Printer> printers;
    if (!client.Connected() || !client.GetPrinters(printers)) {
        return 0;
    }
    std::vector<UsbDeviceRecord> usbRecords;
    EnumerateUsbPrinters(usbRecords);
    for (const CupsClient::Printer& printer : printers) {
        if (printer.IsClass()) {
            continue;
        }
        QueueRecord record;
        record.name = U16(printer.name);
        record.deviceUri = printer.deviceUri;
        record.paused = printer.IsPaused() ? 1 : 0;
        ClassifyQueue(record, usbRecords);
        queues.push_back(std::move(record));
    }
    return static_cast<int>(queues.size());
}

int SendRawJob(std::u16string_view printerName, uint32_t& written, uint32_t length,
               const void* data) {
    const std::unique_ptr<RawJobSteps> steps = MakeCupsRawJobSteps();
    return RunRawJob(*steps, Utf16ToUtf8(printerName), written, length, data);
}

int ParkQueues(std::vector<std::u16string>& parkedQueues, std::u16string_view portName) {
    parkedQueues.clear();
    const std::string device = PortDevice(portName);
    if (device.empty()) {
        return 1;
    }
    CupsClient client;
    std::vector<CupsClient::Printer> printers;
    if (!client.Connected() || !client.GetPrinters(printers)) {
        return 1;
    }
    for (const CupsClient::Printer& printer : printers) {
        if (printer.IsClass() || printer.IsPaused() || !PrintsTo(printer, device)) {
            continue;
        }
        if (!client.PausePrinter(printer.name)) {
            ReportRefusal("paused", printer.name, client);
            return 0;
        }
        parkedQueues.push_back(U16(printer.name));
    }
    return 1;
}

int RestoreQueues(const std::vector<std::u16string>& parkedQueues, std::u16string_view portName) {
    (void)portName;
    if (parkedQueues.empty()) {
        return 1;
    }
    CupsClient client;
    std::vector<CupsClient::Printer> printers;
    if (!client.Connected() || !client.GetPrinters(printers)) {
        return 1;
    }
    for (const CupsClient::Printer& printer : printers) {
        const std::u16string name = U16(printer.name);
        if (!printer.IsPaused() ||
            std::find(parkedQueues.begin(), parkedQueues.end(), name) == parkedQueues.end()) {
            continue;
        }
        if (!client.ResumePrinter(printer.name)) {
            ReportRefusal("resumed", printer.name, client);
            return 0;
        }
    }
    return 1;
}

} // namespace qm
