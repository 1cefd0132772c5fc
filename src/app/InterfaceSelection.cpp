#include "app/InterfaceSelection.h"

#include "app/COstrellApp.h"
#include "app/DeviceTextMessage.h"
#include "app/DriverPortDescription.h"
#include "app/WindowServices.h"
#include "connection/NetAddress.h"
#include "platform/Encoding.h"
#include "resources/MainWindowTemplate.h"
#include "ui/Host.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace qm {

using namespace res;
using ui::Control;

namespace {

// The radio buttons of interface index 0..4 and the control each one focuses.
constexpr int kRadios[] = {kIdRadioDriver, kIdRadioCom, kIdRadioLpt, kIdRadioUsb, kIdRadioNet};
constexpr int kFocusControls[] = {kIdDriverList, kIdComList, kIdLptList, kIdUsbList, kIdIpAddress};

constexpr std::u16string_view kMakerQueuePrefix = u"Korvane";

// First entry equal to text, case-sensitive (the list's own search ignores case).
int FindExactCase(const Control& list, std::u16string_view text) {
    for (int i = 0; i < list.Count(); ++i) {
        if (list.ItemText(i) == text) {
            return i;
        }
    }
    return -1;
}

} // namespace

InterfaceSelection::InterfaceSelection(ui::Dialog& window, COstrellApp& app,
                                       WindowServices& services)
    : window_(window), app_(app), services_(services) {}

void InterfaceSelection::Start() {
    window_.SetItemText(kIdDriverPort, u"");
    index_ = kDriver;
    window_.Item(kIdIpAddress).SetAddressText(kDefaultNetAddress);
    portNumberText_ = kDefaultNetPort;

    FillPortLists();
    FillDriverList();
    defaultPrinter_ = services_.DefaultPrinterName();

    Restore();
    PushToControls();
    ApplyRadioSelection();
}

std::u16string InterfaceSelection::QueueDescription(const std::u16string& queue) const {
    auto it = queueDescription_.find(queue);
    return it == queueDescription_.end() ? std::u16string() : it->second;
}

int InterfaceSelection::QueueKind(const std::u16string& queue) const {
    auto it = queueKind_.find(queue);
    return it == queueKind_.end() ? 0 : it->second;
}

int InterfaceSelection::FocusControl(int index) {
    return kFocusControls[std::clamp(index, 0, kCount - 1)];
}

void InterfaceSelection::FocusSelected() {
    window_.SetFocus(FocusControl(index_));
}

// ---- start-up ----------------------------------------------------------------------------

void InterfaceSelection::FillPortLists() {
    std::vector<std::u16string> lpt;
    std::vector<std::u16string> usb;
    std::vector<std::u16string> com;
    services_.FillLocalPortLists(lpt, usb, com);
    const std::pair<int, const std::vector<std::u16string>*> lists[] = {
        {kIdLptList, &lpt}, {kIdUsbList, &usb}, {kIdComList, &com}};
    for (const auto& [id, entries] : lists) {
        Control& list = window_.Item(id);
        list.ResetContent();
        for (const std::u16string& entry : *entries) {
            list.AddString(entry);
        }
        list.SetCurSel(0);
    }
}

void InterfaceSelection::FillDriverList() {
    std::vector<QueueRecord> queues;
    services_.ListQueues(queues);
    queueDescription_.clear();
    queueKind_.clear();
    queuePort_.clear();
    Control& list = window_.Item(kIdDriverList);
    list.ResetContent();
    for (const QueueRecord& queue : queues) {
        list.AddString(queue.name);
        queueDescription_[queue.name] = queue.detail;
        queueKind_[queue.name] = queue.portKind;
        queuePort_[queue.name] = queue.portName;
    }
    list.SetCurSel(0);
}

void InterfaceSelection::Restore() {
    Preferences& prefs = app_.CurrentPreferences();
    switch (prefs.portType) {
    case kPortCom: {
        index_ = kCom;
        Control& list = window_.Item(kIdComList);
        const int at = FindExactCase(list, prefs.portName);
        if (at >= 0) {
            list.SetCurSel(at);
            list.SetTooltip(ComTooltip(list.Text()));
        }
        break;
    }
    case kPortLpt:
    case kPortUsb: {
        index_ = prefs.portType == kPortLpt ? kLpt : kUsb;
        Control& list = window_.Item(prefs.portType == kPortLpt ? kIdLptList : kIdUsbList);
        const int at = FindExactCase(list, prefs.portName);
        if (at >= 0) {
            list.SetCurSel(at);
        }
        break;
    }
    case kPortNet: {
        index_ = kNet;
        Control& address = window_.Item(kIdIpAddress);
        if (IsDottedQuad(prefs.portName)) {
            address.SetAddressText(prefs.portName);
        } else {
            std::u16string dotted;
            if (!prefs.portName.empty() && services_.ResolveHostName(prefs.portName, dotted)) {
                address.SetAddressText(dotted);
                prefs.portName = dotted;
            } else {
                prefs.portName = kDefaultNetAddress;
            }
        }
        if (!prefs.portNumber.empty()) {
            portNumberText_ = prefs.portNumber;
        } else {
            prefs.portNumber = kDefaultNetPort;
        }
        break;
    }
    default: { // none or PRT
        index_ = kDriver;
        Control& list = window_.Item(kIdDriverList);
        int at = FindExactCase(list, prefs.portName);
        for (int i = 0; at < 0 && i < list.Count(); ++i) {
            if (std::u16string_view(list.ItemText(i)).substr(0, kMakerQueuePrefix.size()) ==
                kMakerQueuePrefix) {
                at = i;
            }
        }
        if (at < 0 && !defaultPrinter_.empty()) {
            at = FindExactCase(list, defaultPrinter_);
        }
        if (at >= 0) {
            list.SetCurSel(at);
            window_.SetItemText(kIdDriverPort, QueueDescription(list.Text()));
            list.SetTooltip(list.Text());
        }
        break;
    }
    }
}

// ---- interface selection -------------------------------------------------------------------

// ---- selection ---------------------------------------------------------------------------

std::u16string InterfaceSelection::ComTooltip(const std::u16string& port) {
    // The port name, with the device it opens beside it.
    const std::string device = services_.SerialDevicePath(port);
    return device.empty() ? port : port + u"  " + Utf8ToUtf16(device);
}

void InterfaceSelection::ApplyDriverDescription(int kind, const std::u16string& description) {
    const DriverPortParts parts = SplitDriverPortDescription(kind, description);
    if (parts.hasAddress) {
        app_.SetDriverPortAddress(parts.address);
    }
    if (parts.hasNumber) {
        app_.SetDriverPortNumber(parts.number);
    }
    if (parts.hasSerialText) {
        ParseSerialSettings(parts.serialText, app_.CurrentPreferences().serial);
    }
}

void InterfaceSelection::ApplyRadioSelection() {
    for (int id : {kIdDriverList, kIdDriverPort, kIdComList, kIdDetail, kIdLptList, kIdUsbList,
                   kIdIpAddress, kIdPortNumberLabel, kIdPortNumber}) {
        window_.EnableItem(id, false);
    }
    deviceText_.clear();
    Preferences& prefs = app_.CurrentPreferences();
    switch (index_) {
    case kDriver: {
        window_.EnableItem(kIdDriverList, true);
        window_.EnableItem(kIdDriverPort, true);
        prefs.portType = kPortPrt;
        prefs.portName = window_.GetItemText(kIdDriverList);
        const int kind = QueueKind(prefs.portName);
        app_.SetDriverPortKind(kind);
        ApplyDriverDescription(kind, QueueDescription(prefs.portName));
        window_.Item(kIdDriverList).SetTooltip(prefs.portName);
        break;
    }
    case kCom:
        window_.EnableItem(kIdComList, true);
        window_.EnableItem(kIdDetail, true);
        prefs.portType = kPortCom;
        prefs.portName = window_.GetItemText(kIdComList);
        window_.Item(kIdComList).SetTooltip(ComTooltip(prefs.portName));
        break;
    case kLpt:
        window_.EnableItem(kIdLptList, true);
        prefs.portType = kPortLpt;
        prefs.portName = window_.GetItemText(kIdLptList);
        break;
    case kUsb:
        window_.EnableItem(kIdUsbList, true);
        prefs.portType = kPortUsb;
        prefs.portName = window_.GetItemText(kIdUsbList);
        break;
    default:
        window_.EnableItem(kIdIpAddress, true);
        window_.EnableItem(kIdPortNumberLabel, true);
        window_.EnableItem(kIdPortNumber, true);
        prefs.portType = kPortNet;
        prefs.portName = window_.GetItemText(kIdIpAddress);
        portNumberText_ = window_.GetItemText(kIdPortNumber);
        prefs.portNumber = portNumberText_;
        break;
    }
    PushToControls();
}

void InterfaceSelection::ApplyToPreferences() {
    Preferences& prefs = app_.CurrentPreferences();
    switch (prefs.portType) {
    case kPortPrt: {
        prefs.portName = window_.GetItemText(kIdDriverList);
        const int kind = QueueKind(prefs.portName);
        app_.SetDriverPortKind(kind);
        ApplyDriverDescription(kind, window_.GetItemText(kIdDriverPort));
        break;
    }
    case kPortCom:
        prefs.portName = window_.GetItemText(kIdComList);
        break;
    case kPortLpt:
        prefs.portName = window_.GetItemText(kIdLptList);
        break;
    case kPortUsb:
        prefs.portName = window_.GetItemText(kIdUsbList);
        break;
    case kPortNet:
        prefs.portName = window_.GetItemText(kIdIpAddress);
        prefs.portNumber = window_.GetItemText(kIdPortNumber);
        break;
    default:
        break;
    }
}

bool InterfaceSelection::RedirectDriverSelection() {
    const std::u16string queue = window_.GetItemText(kIdDriverList);
    const int kind = QueueKind(queue);
    const std::u16string description = QueueDescription(queue);
    auto selectPrefix = [this](int id, const std::u16string& prefix) {
        Control& list = window_.Item(id);
        const int at = list.FindString(-1, prefix);
        if (at >= 0) {
            list.SetCurSel(at);
        }
    };
    switch (kind) {
    case kPortCom: {
        index_ = kCom;
        const DriverPortParts parts = SplitDriverPortDescription(kind, description);
        if (parts.hasSerialText) {
            ParseSerialSettings(parts.serialText, app_.CurrentPreferences().serial);
        }
        auto port = queuePort_.find(queue);
        selectPrefix(kIdComList, port != queuePort_.end() && !port->second.empty() ? port->second
                                                                                   : parts.address);
        break;
    }
    case kPortLpt:
        index_ = kLpt;
        selectPrefix(kIdLptList, description);
        break;
    case kPortUsb:
        index_ = kUsb;
        selectPrefix(kIdUsbList, description);
        break;
    case kPortNet: {
        const DriverPortParts parts = SplitDriverPortDescription(kind, description);
        index_ = kNet;
        if (parts.hasAddress) {
            window_.Item(kIdIpAddress).SetAddressText(parts.address);
        }
        if (parts.hasNumber) {
            portNumberText_ = parts.number;
            window_.SetItemText(kIdPortNumber, portNumberText_);
        }
        break;
    }
    default:
        return false;
    }
    PushToControls();
    ApplyRadioSelection();
    return true;
}

void InterfaceSelection::EndRedirection() {
    index_ = kDriver;
    PushToControls();
    ApplyRadioSelection();
    window_.SetFocus(kIdDriverList);
}

bool InterfaceSelection::OnNotify(const ui::Notification& n) {
    switch (n.event) {
    case ui::Event::Clicked:
        for (int i = 0; i < kCount; ++i) {
            if (n.id == kRadios[i]) {
                OnRadio(i);
                return true;
            }
        }
        return false;
    case ui::Event::SelChange:
        switch (n.id) {
        case kIdDriverList:
            OnDriverSelChange();
            return true;
        case kIdComList:
            OnComSelChange();
            return true;
        case kIdUsbList:
            OnUsbSelChange();
            return true;
        default:
            return false;
        }
    case ui::Event::Posted:
        if (static_cast<unsigned>(n.code) == ui::kMsgDeviceText) {
            OnDeviceText(n.text);
            return true;
        }
        return false;
    default:
        return false;
    }
}

void InterfaceSelection::OnRadio(int index) {
    ReadControls();
    index_ = std::clamp(index, 0, kCount - 1);
    ApplyRadioSelection();
    window_.SetFocus(FocusControl(index_));
}

void InterfaceSelection::OnDriverSelChange() {
    if (queueDescription_.empty()) {
        return;
    }
    const std::u16string queue = window_.GetItemText(kIdDriverList);
    window_.SetItemText(kIdDriverPort, QueueDescription(queue));
    window_.Item(kIdDriverList).SetTooltip(queue);
}

void InterfaceSelection::OnComSelChange() {
    Control& list = window_.Item(kIdComList);
    if (list.Count() > 0) {
        list.SetTooltip(ComTooltip(list.Text()));
    }
}

void InterfaceSelection::OnUsbSelChange() {
    deviceText_.clear();
    window_.SetItemText(kIdDeviceText, deviceText_);
}

void InterfaceSelection::OnDeviceText(const std::u16string& posted) {
    if (std::optional<std::u16string> text = DeviceTextFromMessage(posted)) {
        ReadControls();
        deviceText_ = *text;
        PushToControls();
    }
}

void InterfaceSelection::Prepare() {
    redirected_ = index_ == kDriver && RedirectDriverSelection();
    ApplyToPreferences();
    ReadControls();
}

void InterfaceSelection::End() {
    if (redirected_) {
        redirected_ = false;
        EndRedirection();
    }
}

void InterfaceSelection::PushToControls() {
    window_.CheckRadioButton(kIdRadioDriver, kIdRadioNet,
                             kRadios[std::clamp(index_, 0, kCount - 1)]);
    window_.SetItemText(kIdPortNumber, portNumberText_);
    window_.SetItemText(kIdDeviceText, deviceText_);
}

void InterfaceSelection::ReadControls() {
    for (int i = 0; i < kCount; ++i) {
        if (window_.IsButtonChecked(kRadios[i]) == 1) {
            index_ = i;
        }
    }
    portNumberText_ = window_.GetItemText(kIdPortNumber);
    deviceText_ = window_.GetItemText(kIdDeviceText);
}

} // namespace qm
