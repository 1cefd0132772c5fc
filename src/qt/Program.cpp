#include "qt/Program.h"

#include "app/COstrellApp.h"
#include "app/MainWindow.h"
#include "qt/Pictures.h"
#include "qt/QtHost.h"
#include "ui/Dialog.h"
#include "ui/ProgramVersion.h"

#include <QApplication>
#include <QFont>
#include <QIcon>

#include <memory>

namespace qm::qt {

namespace {

// Stand-in main window until the real one is wired in.
constexpr ui::ControlTemplate kDemoRows[] = {
    {110, ui::ControlKind::Static, u"Printer Model:", {157, 7, 49, 8}},
    {111, ui::ControlKind::DropDownList, u"", {208, 6, 203, 205}},
    {180, ui::ControlKind::Tab, u"", {4, 21, 351, 301}},
    {173, ui::ControlKind::PushButton, u"&Exit", {434, 286, 30, 14}},
};
constexpr ui::DialogTemplate kDemoTemplate{100, u"Quillmark",         471,
                                           307, ui::kDialogResizable, kDemoRows};

class DemoDialog : public ui::Dialog {
public:
    DemoDialog() : ui::Dialog(kDemoTemplate) {}

protected:
    bool OnInitDialog() override {
        SetTitle(u"Quillmark " + ui::ProgramVersionText());
        for (const char16_t* tab : {u"Easy", u"Standard", u"Advanced", u"Information",
                                    u"Sensor Adjustment", u"Print Test"}) {
            Item(180).InsertString(-1, tab);
        }
        Item(180).SetCurSel(1);
        return true;
    }
    bool OnNotify(ui::Notification& n) override {
        if (n.event == ui::Event::Clicked && n.id == 173) {
            EndDialog(0);
            return true;
        }
        return false;
    }
};

class DemoMainWindow : public MainWindow {
public:
    explicit DemoMainWindow(QtHost& host) : host_(host) {}
    int RunMainWindow() override { return dialog_.DoModal(host_); }
    void ApplyInterfaceSelection() override {}

private:
    QtHost& host_;
    DemoDialog dialog_;
};

} // namespace

void SetUpApplication(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("Quillmark"));
    QApplication::setApplicationVersion(QStringLiteral(QM_PROJECT_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("quillmark"));
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128}) {
        icon.addPixmap(Pictures::Icon(size));
    }
    QApplication::setWindowIcon(icon);
    // The dialog layouts were drawn for an 8-point dialog font (about 11 pixels); the CJK
    // family stands behind it for Japanese, Chinese and Korean texts.
    QFont font = app.font();
    font.setFamilies({QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans"),
                      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Droid Sans Fallback")});
    font.setPixelSize(11);
    QApplication::setFont(font);
}

int RunProgram(QtHost& host) {
    COstrellApp app(host);
    const int code = app.Run([&host](COstrellApp&) -> std::unique_ptr<MainWindow> {
        return std::make_unique<DemoMainWindow>(host);
    });
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return code;
}

} // namespace qm::qt
