#include "ProgramTestSupport.h"
#include "QtTestApp.h"

#include "app/COstrellDlg.h"
#include "pages/CDlgTabInformation.h"
#include "pages/StandardPageTable.h"
#include "qt/DialogWidget.h"
#include "qt/Program.h"
#include "qt/QtHost.h"
#include "resources/InformationPageTemplate.h"
#include "resources/SelfInfoTemplate.h"
#include "selfinfo/CDlgSelfInfo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <functional>

using qm::qt::DialogWidget;
using qm::qt::QtHost;
using qm::qt::test::TestApp;

namespace {

constexpr int kIdTab = 180;
constexpr int kIdLanguage = 1035;
constexpr int kIdExit = 173;
constexpr int kIdSend = 172;
constexpr int kIdImport = 174;
constexpr int kIdRadioCom = 124;
constexpr int kIdDetail = 134;
constexpr int kIdComCancel = 171;

// Presses Yes (or OK; No when yes is false) on the next message box and remembers its text.
void AnswerNextBox(QString* text, bool yes = true) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, text, yes] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            if (text != nullptr) {
                *text = box->text();
            }
            QAbstractButton* button = box->button(yes ? QMessageBox::Yes : QMessageBox::No);
            (button != nullptr ? button : box->button(QMessageBox::Ok))->click();
        }
    });
    timer->start();
}

void Save(QWidget* window, const QString& name) {
    QDir().mkpath(QStringLiteral(QM_SCREENSHOT_DIR));
    const QString path = QStringLiteral(QM_SCREENSHOT_DIR) + "/" + name + ".png";
    const QPixmap shot = window->grab();
    ASSERT_FALSE(shot.isNull());
    EXPECT_TRUE(shot.save(path)) << path.toStdString();
}

// Starts the real program (start-up, preferences, main window) offscreen and runs script once
// the main window is painted; returns the program's exit code.
int RunProgramWith(QtHost& host, std::function<void(DialogWidget&)> script) {
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
    return qm::qt::RunProgram(host);
}

class ProgramTest : public qm::qt::test::ProgramHomeTest {};

} // namespace

TEST_F(ProgramTest, MainWindowTabsLanguagesAndExit) {
    QtHost host;
    QStringList tabTexts;
    QString title;
    QString exitQuestion;
    QString sendCaptionOnPrintTest;
    bool importEnabledOnPrintTest = true;
    QString japaneseTab;
    QSize resized;
    QSize smallest;
    int tabHeight = 0;
    int scrolledBy = 0;
    QString comTitle;
    const int code = RunProgramWith(host, [&](DialogWidget& window) {
        title = window.windowTitle();
        auto* tabs = qobject_cast<QTabWidget*>(window.WidgetFor(kIdTab));
        ASSERT_NE(tabs, nullptr);
        QTabBar* bar = tabs->tabBar();
        for (int i = 0; i < tabs->count(); ++i) {
            tabTexts << tabs->tabText(i);
        }
        Save(&window, "main-english-standard");
        const char* names[] = {"easy",        "standard",    "advanced",
                               "information", "calibration", "print"};
        for (int i : {0, 2, 3, 4, 5}) {
            if (i == 2) {
                AnswerNextBox(nullptr); // the Advanced warning: Yes
            }
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(i).center());
            QTest::qWait(20);
            EXPECT_EQ(tabs->currentIndex(), i);
            Save(&window, QStringLiteral("main-english-%1").arg(names[i]));
        }
        sendCaptionOnPrintTest = qobject_cast<QPushButton*>(window.WidgetFor(kIdSend))->text();
        importEnabledOnPrintTest = window.WidgetFor(kIdImport)->isEnabled();

        // The Standard page scrolls with the wheel.
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
        QTest::qWait(20);
        DialogWidget* standard = nullptr;
        for (qm::ui::Dialog* page : window.Model()->Children()) {
            if (page->IsVisible()) {
                standard = host.GetRenderer().WidgetOf(*page);
            }
        }
        ASSERT_NE(standard, nullptr);
        QWidget* firstControl = standard->childAt(QPoint(60, 40));
        const int topBefore = firstControl != nullptr ? firstControl->y() : 0;
        for (int i = 0; i < 4; ++i) {
            QWheelEvent wheel(QPointF(50, 50), standard->mapToGlobal(QPointF(50, 50)), QPoint(),
                              QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                              false);
            QCoreApplication::sendEvent(standard, &wheel);
        }
        QTest::qWait(20);
        if (firstControl != nullptr) {
            scrolledBy = topBefore - firstControl->y();
        }
        Save(&window, "main-english-standard-scrolled");

        // The COM Settings dialog from the Detail button.
        QTest::mouseClick(window.WidgetFor(kIdRadioCom), Qt::LeftButton);
        QTimer::singleShot(50, qApp, [&] {
            auto* com = dynamic_cast<DialogWidget*>(QApplication::activeModalWidget());
            if (com == nullptr) {
                ADD_FAILURE() << "no COM Settings dialog";
                return;
            }
            comTitle = com->windowTitle();
            Save(com, "com-settings-english");
            QTest::mouseClick(com->WidgetFor(kIdComCancel), Qt::LeftButton);
        });
        QTest::mouseClick(window.WidgetFor(kIdDetail), Qt::LeftButton);

        // Back to Standard, then Japanese.
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
        auto* language = qobject_cast<QComboBox*>(window.WidgetFor(kIdLanguage));
        ASSERT_NE(language, nullptr);
        language->setCurrentIndex(1);
        emit language->activated(1);
        QTest::qWait(20);
        japaneseTab = tabs->tabText(1);
        Save(&window, "main-japanese-standard");
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(0).center());
        QTest::qWait(20);
        Save(&window, "main-japanese-easy");

        // The window keeps to its tracking sizes and lays the tab area out anew.
        window.resize(1000, 600);
        QTest::qWait(20);
        resized = window.size();
        tabHeight = tabs->height();
        Save(&window, "main-japanese-resized");
        window.resize(100, 100);
        QTest::qWait(20);
        smallest = window.size();

        AnswerNextBox(&exitQuestion);
        QTest::mouseClick(window.WidgetFor(kIdExit), Qt::LeftButton);
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(title, "Quillmark 1.0.0.0");
    EXPECT_EQ(tabTexts, (QStringList{"Easy", "Standard", "Advanced", "Information",
                                     "Sensor Adjustment", "Print Test"}));
    EXPECT_EQ(sendCaptionOnPrintTest.remove('&'), "Send File");
    EXPECT_FALSE(importEnabledOnPrintTest);
    EXPECT_EQ(japaneseTab, QString::fromUtf8("基本"));
    EXPECT_FALSE(exitQuestion.isEmpty());
    EXPECT_EQ(scrolledBy, 200); // four wheel notches of 50
    EXPECT_EQ(comTitle, "COM Settings");
    EXPECT_EQ(resized, QSize(840, 600));
    EXPECT_EQ(tabHeight, 600 - 10 - 35);
    EXPECT_EQ(smallest, QSize(350, 300));
    // The language choice was saved on the way out.
    QFile ini(home.path() + "/Quillmark.ini");
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QByteArray bytes = ini.readAll();
    const QString text =
        bytes.startsWith("\xff\xfe")
            ? QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2),
                                 (bytes.size() - 2) / 2)
            : QString::fromUtf8(bytes);
    EXPECT_TRUE(text.contains("REGION=1")) << text.toStdString();
}

// Scrolls a page so that a pixel row of its contents (at scroll position 0) is at the top.
void ScrollPageTo(qm::ui::Dialog& page, int contentY) {
    page.UserScroll(qm::ui::kSbTop);
    page.UserScroll(qm::ui::kSbThumbTrack, std::max(contentY - 4, 0));
    QTest::qWait(20);
}

// Screenshots of every group of the Standard page and of the whole Advanced group, top to
// bottom, in English and in Japanese, at the window's first size.
TEST_F(ProgramTest, EveryGroupOfTheStandardAndAdvancedPages) {
    QtHost host;
    int shots = 0;
    const int code = RunProgramWith(host, [&](DialogWidget& window) {
        auto* dialog = dynamic_cast<qm::COstrellDlg*>(window.Model());
        ASSERT_NE(dialog, nullptr);
        auto* tabs = qobject_cast<QTabWidget*>(window.WidgetFor(kIdTab));
        QTabBar* bar = tabs->tabBar();
        auto* language = qobject_cast<QComboBox*>(window.WidgetFor(kIdLanguage));
        const char* groups[] = {"global-config", "page-setup", "system-setup",    "after-print",
                                "rfid",          "interface",  "option-interface"};
        for (int lang : {0, 1}) {
            language->setCurrentIndex(lang);
            emit language->activated(lang);
            QTest::qWait(20);
            const QString name = lang == 0 ? "english" : "japanese";
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
            QTest::qWait(20);
            qm::CDlgTabStandard& standard = dialog->Standard();
            for (int g = 0; g < qm::kStdGroupCount; ++g) {
                ScrollPageTo(standard,
                             standard.Item(qm::StandardPageTable::GroupId(g)).GetRect().y +
                                 standard.VScroll().pos);
                Save(&window, QStringLiteral("standard-%1-%2-%3").arg(name).arg(g).arg(groups[g]));
                ++shots;
            }
            ScrollPageTo(standard, 0);
            if (lang == 0) {
                AnswerNextBox(nullptr); // the Advanced warning: Yes
            }
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());
            QTest::qWait(20);
            qm::CDlgTabAdvanced& advanced = dialog->Advanced();
            const int parts[] = {0, 350, 701};
            for (int part = 0; part < 3; ++part) {
                ScrollPageTo(advanced, parts[part] + 4);
                Save(&window,
                     QStringLiteral("advanced-%1-factory-mode-%2").arg(name).arg(part + 1));
                ++shots;
            }
            ScrollPageTo(advanced, 0);
        }
        AnswerNextBox(nullptr);
        QTest::mouseClick(window.WidgetFor(kIdExit), Qt::LeftButton);
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(shots, 20);
}

TEST_F(ProgramTest, TheCloseBoxAsksBeforeEnding) {
    QtHost host;
    bool stillOpen = false;
    QString question;
    const int code = RunProgramWith(host, [&](DialogWidget& window) {
        AnswerNextBox(nullptr, false);
        window.close(); // No: the window stays
        QTest::qWait(20);
        stillOpen = window.isVisible() && !window.Model()->IsEnded();
        // Esc never closes the main window.
        QTest::keyClick(&window, Qt::Key_Escape);
        QTest::qWait(20);
        stillOpen = stillOpen && !window.Model()->IsEnded();
        AnswerNextBox(&question);
        window.close();
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_FALSE(question.isEmpty());
    EXPECT_NE(code, 10); // not refused as a second instance
}

TEST_F(ProgramTest, InformationPageAndSelfInformationAsShown) {
    QtHost host;
    QColor yesColour;
    QColor noColour;
    QColor codeColour;
    QString message;
    bool saveEnabledAfterTicks = false;
    QString menuTextShown;
    int menuLineHeight = 0;
    qreal menuTabStop = 0;
    qreal machineTabStop = 0;
    RunProgramWith(host, [&](DialogWidget& window) {
        auto* tabs = qobject_cast<QTabWidget*>(window.WidgetFor(kIdTab));
        ASSERT_NE(tabs, nullptr);
        qm::CDlgTabInformation* info = nullptr;
        for (qm::ui::Dialog* page : window.Model()->Children()) {
            if (auto* p = dynamic_cast<qm::CDlgTabInformation*>(page)) {
                info = p;
            }
        }
        ASSERT_NE(info, nullptr);
        QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(3).center());
        QTest::qWait(20);
        info->ShowCounters(u"Serial Number : GX4-123456\r\nPrint Counter Length 1234.5 m\r\n"
                           u"Service Counter Length 567.8 m\r\nCut Counter 89\r\n");
        info->ShowStatus(0, "NYNNYNNN\r", qm::UiLanguage::kEnglish);
        QTest::qWait(20);
        DialogWidget* page = host.GetRenderer().WidgetOf(*info);
        ASSERT_NE(page, nullptr);
        auto* paper = qobject_cast<QLineEdit*>(page->WidgetFor(qm::res::kIdInfoPaperError));
        auto* ribbon = qobject_cast<QLineEdit*>(page->WidgetFor(qm::res::kIdInfoPaperError + 1));
        ASSERT_NE(paper, nullptr);
        ASSERT_NE(ribbon, nullptr);
        yesColour = paper->palette().color(QPalette::Text);
        noColour = ribbon->palette().color(QPalette::Text);
        Save(&window, "information-flags");

        info->SelectStatusGroup(2);
        info->ShowStatus(2, "11\r\n", qm::UiLanguage::kJapanese);
        QTest::qWait(20);
        codeColour = page->WidgetFor(qm::res::kIdInfoErrorCode)->palette().color(QPalette::Text);
        message = qobject_cast<QLineEdit*>(page->WidgetFor(qm::res::kIdInfoErrorMessage))->text();
        Save(&window, "information-error-code");

        // The Self Information dialog with the texts a Self Info receive hands it.
        qm::CDlgSelfInfo selfInfo(u"~!!\r\n\x02\x1b~A\r\nModel Number\t:\tVexa Gorse\r\n"
                                  u"Serial Number\t:\tGX4-123456\r\nBoot Version\t:\t1.02\r\n"
                                  u"Main Version\t:\t2.10\r\nHead Check\t:\tOK\r\n"
                                  u"Print Counter\t:\t1234.5 m\r\nCut Counter\t:\t89\r\nEND\r\n",
                                  u"~!!\r\n\x02\x1b~A\r\nGLOBAL CONFIG\t:\tCONFIG SET 1\r\n"
                                  u"PRINT SPEED\t:\t6 IPS\r\nPRINT METHOD\t:\tTT\r\n"
                                  u"MEDIA SENSOR\t:\tGAP\r\nSENSOR LEVEL\t:\t1.5\tV\r\n"
                                  u"FUNCTION SELECT\t:\tTEAR\r\nEND\r\n");
        QTimer::singleShot(50, qApp, [&] {
            auto* dlg = dynamic_cast<DialogWidget*>(QApplication::activeModalWidget());
            if (dlg == nullptr || dlg == &window) {
                ADD_FAILURE() << "no Self Information dialog";
                return;
            }
            Save(dlg, "self-information-opened");
            for (int id : {qm::res::kIdSelfInfoCheck1, qm::res::kIdSelfInfoCheck2,
                           qm::res::kIdSelfInfoCheck3}) {
                QTest::mouseClick(dlg->WidgetFor(id), Qt::LeftButton);
            }
            QTest::qWait(20);
            saveEnabledAfterTicks = dlg->WidgetFor(qm::res::kIdSelfInfoSave)->isEnabled();
            auto* menu =
                qobject_cast<QPlainTextEdit*>(dlg->WidgetFor(qm::res::kIdSelfInfoMenuText));
            menuTextShown = menu->toPlainText();
            menuLineHeight = QFontMetrics(menu->font()).height();
            menuTabStop = menu->tabStopDistance();
            machineTabStop =
                qobject_cast<QPlainTextEdit*>(dlg->WidgetFor(qm::res::kIdSelfInfoMachineText))
                    ->tabStopDistance();
            Save(dlg, "self-information-ticked");
            QTest::keyClick(dlg, Qt::Key_Escape);
        });
        selfInfo.DoModal(host);

        AnswerNextBox(nullptr);
        QTest::mouseClick(window.WidgetFor(kIdExit), Qt::LeftButton);
    });
    EXPECT_EQ(yesColour, QColor(255, 0, 0));
    EXPECT_EQ(noColour, QColor(0, 0, 255));
    EXPECT_EQ(codeColour, QColor(255, 0, 0));
    EXPECT_EQ(message, QString::fromUtf8("ヘッドアップ"));
    EXPECT_TRUE(saveEnabledAfterTicks);
    // The menu text's own font: lines of at most 28 pixels, far taller than the dialog's.
    EXPECT_LE(menuLineHeight, 28);
    EXPECT_GE(menuLineHeight, 24);
    EXPECT_EQ(menuTabStop, 7.0);     // 4 dialog-template units
    EXPECT_EQ(machineTabStop, 56.0); // 32
    // No AUTOCONFIGURE and no USB DEVICE CLASS: their two empty lines stand first.
    EXPECT_TRUE(menuTextShown.startsWith("\n\nGLOBAL CONFIG\t:\tCONFIG SET 1\n\nPRINT SPEED"))
        << menuTextShown.toStdString();
}
