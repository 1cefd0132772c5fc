#pragma once

#include <QApplication>
#include <QByteArray>

namespace qm::qt::test {

// The one QApplication of a test program, on the offscreen platform unless one was chosen.
inline QApplication& TestApp() {
    static QApplication* app = [] {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        static int argc = 1;
        static char name[] = "test_qt";
        static char* argv[] = {name, nullptr};
        return new QApplication(argc, argv);
    }();
    return *app;
}

} // namespace qm::qt::test
