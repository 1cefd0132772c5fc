#pragma once

#include "ui/Dialog.h"
#include "ui/Notification.h"

#include <map>
#include <string>

namespace qm {

class COstrellApp;
class WindowServices;

// The main window's interface selection: which of the five interfaces is chosen, the network
// port number and the USB device text as the controls show them, the print queues found at
// start-up with their port descriptions, kinds and ports, the default printer, and the driver
// redirection that lasts one exchange. It keeps the interface controls of the window it is
// given (radio buttons, port lists, address, port number, device text) and the current
// preferences' port fields; it knows nothing else of the window.
class InterfaceSelection {
public:
    // The interface radio buttons in their order.
    enum InterfaceIndex : int {
        kDriver = 0, // a print queue
        kCom = 1,
        kLpt = 2,
        kUsb = 3,
        kNet = 4,
    };
    static constexpr int kCount = 5;

    InterfaceSelection(ui::Dialog& window, COstrellApp& app, WindowServices& services);

    // Fills the port and queue lists and selects the interface of the stored preferences.
    void Start();

    int Index() const { return index_; }
    const std::u16string& DefaultPrinter() const { return defaultPrinter_; }
    const std::u16string& DeviceText() const { return deviceText_; }
    // Port description / kind of a queue found at start-up ("" / 0 when unknown).
    std::u16string QueueDescription(const std::u16string& queue) const;
    int QueueKind(const std::u16string& queue) const;
    // The control that takes the focus for interface index 0..4.
    static int FocusControl(int index);
    // Puts the focus on the selected interface's control.
    void FocusSelected();

    // Copies the selected interface's controls into the preferences and enables its controls.
    void ApplyRadioSelection();
    // Controls of the selected interface to the current preferences, by the current port type.
    void ApplyToPreferences();
    // Before an operation on a driver queue: selects the interface and port behind the queue
    // (COM, LPT, USB, NET) and applies it. False (nothing changed) for any other queue kind.
    bool RedirectDriverSelection();
    // After the operation: back to the driver queue.
    void EndRedirection();
    // Around one exchange: the redirection when a driver queue is selected, then the controls
    // to the preferences; afterwards back to the queue when it was redirected.
    void Prepare();
    void End();

    // The window's notifications that concern the interface controls (a radio button clicked, a
    // port list's selection changed, the device text posted); false for any other.
    bool OnNotify(const ui::Notification& n);
    void OnRadio(int index);
    void OnDriverSelChange();
    void OnComSelChange();
    void OnUsbSelChange();
    // The device text a USB open posts to the window.
    void OnDeviceText(const std::u16string& posted);

    // The kept state to the controls (radio button, port number, device text), and back.
    void PushToControls();
    void ReadControls();

private:
    void FillPortLists();
    void FillDriverList();
    void Restore();
    void ApplyDriverDescription(int kind, const std::u16string& description);
    std::u16string ComTooltip(const std::u16string& port);

    ui::Dialog& window_;
    COstrellApp& app_;
    WindowServices& services_;

    int index_ = kDriver;
    std::u16string portNumberText_;
    std::u16string deviceText_;
    std::map<std::u16string, std::u16string> queueDescription_;
    std::map<std::u16string, int> queueKind_;
    std::map<std::u16string, std::u16string> queuePort_;
    std::u16string defaultPrinter_;
    bool redirected_ = false; // a driver redirection lasts one exchange
};

} // namespace qm
