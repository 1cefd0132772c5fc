#pragma once

// Driving the real program offscreen: start it, run a script once its main window is painted,
// and answer its message boxes and file dialogs from the script.

#include "QtTestApp.h"
#include "app/COstrellDlg.h"
#include "qt/DialogWidget.h"
#include "qt/Program.h"
#include "qt/QtHost.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>
#include <functional>

namespace qm::qt::test {

// A test of the real program with a home folder of its own whose preferences select the
// TCP/IP interface at 127.0.0.1, port 9100.
class ProgramHomeTest : public ::testing::Test {
protected:
    void SetUp() override {
        qm::qt::SetUpApplication(TestApp());
        ASSERT_TRUE(home.isValid());
        qputenv("QUILLMARK_HOME", home.path().toUtf8());
        QFile ini(home.path() + "/Quillmark.ini");
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Quillmark]\r\nPORT_TYPE=NET\r\nPORT_NAME=127.0.0.1\r\nPORT_NUMBER=9100\r\n"
                  "REGION=0\r\n");
    }
    QTemporaryDir home;
};

// Starts the real program (start-up, preferences, main window) and runs script once the main
// window is painted; returns the program's exit code.
inline int RunProgramWith(QtHost& host, std::function<void(DialogWidget&)> script) {
    host.GetRenderer().SetOnFirstPaint([script] {
        QTimer::singleShot(0, qApp, [script] {
            auto* window = dynamic_cast<DialogWidget*>(QApplication::activeModalWidget());
            if (window == nullptr) {
                ADD_FAILURE() << "no main window";
                return;
            }
            script(*window);
        });
    });
    return RunProgram(host);
}

// Answers every message box (Yes, or OK) and file dialog (the next queued path; an empty one
// cancels) the program shows while it lives, and records the message texts.
class Answerer {
public:
    Answerer() {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start(5);
    }
    void NextFile(const QString& path) { files_.push_back(path); }
    void AnswerNo() { no_ = true; }
    QStringList texts;

private:
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            texts << box->text();
            QAbstractButton* button = box->button(no_ ? QMessageBox::No : QMessageBox::Yes);
            no_ = false;
            (button != nullptr ? button : box->button(QMessageBox::Ok))->click();
        } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            const QString path = files_.empty() ? QString() : files_.front();
            if (!files_.empty()) {
                files_.pop_front();
            }
            if (path.isEmpty()) {
                dialog->reject();
            } else {
                dialog->selectFile(path);
                static_cast<QDialog*>(dialog)->accept(); // public in QDialog
            }
        }
    }
    QTimer timer_;
    std::deque<QString> files_;
    bool no_ = false;
};

// The main window's model behind its widget.
inline COstrellDlg& MainDialog(DialogWidget& window) {
    return *dynamic_cast<COstrellDlg*>(window.Model());
}

// Clicks a button of the main window; the operation behind it runs before this returns.
inline void Click(DialogWidget& window, int id) {
    QTest::mouseClick(window.WidgetFor(id), Qt::LeftButton);
    QTest::qWait(10);
}

// Picks an entry of a drop-down list as the user does.
inline void Pick(DialogWidget& window, int id, int index) {
    auto* combo = qobject_cast<QComboBox*>(window.WidgetFor(id));
    ASSERT_NE(combo, nullptr);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
    QTest::qWait(10);
}

// The Standard page rows of an entry: its tick box is ticked.
inline bool StandardTicked(DialogWidget& window, int entryIndex) {
    CDlgTabStandard& standard = MainDialog(window).Standard();
    for (const PageItem& item : standard.Items()) {
        if (item.data != nullptr && item.data->entry == entryIndex && item.tickBox != 0) {
            return standard.IsButtonChecked(item.tickBox) == 1;
        }
    }
    return false;
}

} // namespace qm::qt::test
