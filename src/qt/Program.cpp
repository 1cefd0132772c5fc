#include "qt/Program.h"

#include "app/COstrellApp.h"
#include "app/COstrellDlg.h"
#include "app/MainWindow.h"
#include "discovery/SystemPortServices.h"
#include "qt/InterfaceLanguage.h"
#include "qt/Pictures.h"
#include "qt/QtHost.h"

#include <QApplication>
#include <QFont>
#include <QIcon>

#include <memory>

namespace qm::qt {

void SetUpApplication(QApplication& /*app*/) {
    QApplication::setApplicationName(QStringLiteral("Quillmark"));
    QApplication::setApplicationVersion(QStringLiteral(QM_PROJECT_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("quillmark"));
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128}) {
        icon.addPixmap(Pictures::Icon(size));
    }
    QApplication::setWindowIcon(icon);
    // English until the program has chosen its language (the host switches it then).
    QApplication::setFont(InterfaceLanguage::FontFor(UiLanguage::kEnglish));
}

int RunProgram(QtHost& host) {
    // The connection's poll loops wait through the host, so the window repaints while a printer
    // is being waited for.
    COstrellApp app(host, host.WaitClock(), SystemPortServices());
    const int code = app.Run([&host](COstrellApp& a) -> std::unique_ptr<MainWindow> {
        return std::make_unique<COstrellDlg>(a, host);
    });
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return code;
}

} // namespace qm::qt
