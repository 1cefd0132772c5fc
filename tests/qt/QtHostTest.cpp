#include "QtTestApp.h"
#include "TestDialogs.h"

#include "qt/DialogWidget.h"
#include "qt/FilterCells.h"
#include "qt/Pictures.h"
#include "qt/QtHost.h"
#include "qt/QtText.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace qm;
using namespace qm::ui;
using namespace qm::ui::test;
using qm::qt::QtHost;
using qm::qt::test::TestApp;

namespace {

// Runs action on the next modal window once it is up.
void WhenModal(std::function<void(QWidget*)> action) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            action(modal);
        }
    });
    timer->start();
}

class QtHostTest : public ::testing::Test {
protected:
    void SetUp() override { TestApp(); }
};

} // namespace

TEST_F(QtHostTest, MessageBoxesReturnTheButtonNumbers) {
    QtHost host;
    QString shownText;
    WhenModal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        shownText = box->text();
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        box->button(QMessageBox::Yes)->click();
    });
    EXPECT_EQ(host.MessageBox(u"Exit program?", u"Quillmark", kMbYesNo | kMbIconQuestion), kIdYes);
    EXPECT_EQ(shownText, "Exit program?");

    WhenModal([](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        QTest::keyClick(box, Qt::Key_Escape); // closing a question means No
    });
    EXPECT_EQ(host.MessageBox(u"Advanced menu contains mechanically sensitive items.", u"",
                              kMbYesNo | kMbIconWarning),
              kIdNo);

    WhenModal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        shownText = box->text();
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        box->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(host.MessageBox(u"code : 30\r\nOpen port error.", u"", kMbIconError), kIdOk);
    EXPECT_EQ(shownText, "code : 30\nOpen port error.");
}

// Qt's own parts speak the interface language and switch with it: the standard buttons of a
// message box and of a file dialog, and the font's face.
TEST_F(QtHostTest, StandardButtonsAndFontFollowTheInterfaceLanguage) {
    QtHost host;
    auto buttons = [&host] {
        QString yesNo;
        WhenModal([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            yesNo =
                box->button(QMessageBox::Yes)->text() + "|" + box->button(QMessageBox::No)->text();
            box->button(QMessageBox::Yes)->click();
        });
        host.MessageBox(u"?", u"", kMbYesNo | kMbIconQuestion);
        return yesNo;
    };
    auto fileCancel = [&host] {
        QString cancel;
        WhenModal([&](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            ASSERT_NE(dialog, nullptr);
            for (auto* button : dialog->findChildren<QPushButton*>()) {
                cancel += button->text() + "|";
            }
            dialog->reject();
        });
        FileDialogRequest request;
        request.filter = u"PRN Files (*.prn)|*.prn||";
        FileDialogResult result;
        host.FileDialog(request, result);
        return cancel;
    };
    host.UseLanguage(UiLanguage::kKorean);
    EXPECT_EQ(buttons(), QString::fromUtf8("예(&Y)|아니요(&N)"));
    EXPECT_TRUE(fileCancel().contains(QString::fromUtf8("취소"))) << fileCancel().toStdString();
    EXPECT_EQ(QApplication::font().families().value(0), "Noto Sans CJK KR");
    host.UseLanguage(UiLanguage::kJapanese);
    EXPECT_TRUE(buttons().startsWith(QString::fromUtf8("はい"))) << buttons().toStdString();
    host.UseLanguage(UiLanguage::kEnglish);
    EXPECT_EQ(buttons(), "&Yes|&No");
    EXPECT_TRUE(fileCancel().contains("Cancel"));
    EXPECT_EQ(QApplication::font().families().value(0), "Liberation Sans");
    EXPECT_EQ(QApplication::font().pixelSize(), 12);
}

TEST_F(QtHostTest, ModalDialogsRunUntilTheyEnd) {
    QtHost host;
    SampleDialog d;
    WhenModal([&](QWidget* w) {
        auto* window = dynamic_cast<qt::DialogWidget*>(w);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->windowTitle(), "Sample");
        QTest::mouseClick(window->WidgetFor(14), Qt::LeftButton);
        window->close(); // the close request becomes Cancel
    });
    EXPECT_EQ(d.DoModal(host), kIdCancel);
    EXPECT_EQ(d.IsButtonChecked(14), 1);
    EXPECT_EQ(host.GetRenderer().WidgetOf(d), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(QtHostTest, SleepWaitsAndKeepsPostedMessagesForLater) {
    QtHost host;
    SampleDialog d;
    d.Create(nullptr);
    int timerFired = 0;
    QTimer::singleShot(5, qApp, [&] { ++timerFired; });
    host.PostMessage(d, kMsgDeviceText, u"a#b&c#d#e#f");
    QElapsedTimer clock;
    clock.start();
    host.WaitClock().SleepMs(60);
    EXPECT_GE(clock.elapsed(), 55);
    EXPECT_EQ(timerFired, 1);    // the GUI goes on while waiting
    EXPECT_TRUE(d.seen.empty()); // but the posted message waits for the window's loop
    QTest::qWait(50);
    ASSERT_EQ(d.seen.size(), 1u);
    EXPECT_EQ(d.seen[0].event, Event::Posted);
    EXPECT_EQ(d.seen[0].text, u"a#b&c#d#e#f");

    host.BeginWaitCursor();
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    host.EndWaitCursor();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(QtHostTest, FileDialogsChooseCancelAndAddTheExtension) {
    QtHost host;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    FileDialogRequest request;
    request.save = true;
    request.filter = std::u16string(u"PRN Files (*.prn)\0*.prn\0All Files (*.*)\0*.*\0\0", 46);
    request.defaultExtension = u"prn";
    request.initialFolder = qt::FromQString(dir.path()) + u"/.";
    request.options = kOfnOverwritePrompt | kOfnPathMustExist | kOfnDontAddToRecent;
    WhenModal([&](QWidget* w) {
        auto* fd = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(fd, nullptr);
        EXPECT_EQ(fd->directory().absolutePath(), dir.path());
        EXPECT_EQ(fd->nameFilters().size(), 2);
        EXPECT_EQ(fd->selectedNameFilter(), "PRN Files (*.prn)");
        fd->selectFile("labels");
        static_cast<QDialog*>(fd)->accept();
    });
    FileDialogResult result;
    ASSERT_TRUE(host.FileDialog(request, result));
    EXPECT_EQ(result.path, qt::FromQString(dir.path() + "/labels.prn"));
    EXPECT_EQ(result.filterIndex, 1);

    WhenModal([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    result.path = u"kept";
    EXPECT_FALSE(host.FileDialog(request, result));
    EXPECT_EQ(result.path, u"kept");
}

TEST(FilterCells, PairsBecomeQtNameFilters) {
    const std::u16string cell(u"PRN Files (*.prn)\0*.prn\0Texts\0*.txt;*.log\0\0ignored\0", 52);
    const QStringList filters = qt::NameFiltersFromCell(cell);
    ASSERT_EQ(filters.size(), 2);
    EXPECT_EQ(filters[0], "PRN Files (*.prn)");
    EXPECT_EQ(filters[1], "Texts (*.txt *.log)");
    EXPECT_TRUE(qt::NameFiltersFromCell(std::u16string(u"Lonely\0", 7)).isEmpty());
    EXPECT_TRUE(qt::NameFiltersFromCell(u"").isEmpty());
}

TEST(Pictures, EveryPictureOfThePagesIsThere) {
    TestApp();
    const int pictures[] = {103, 104, 106, 250, 251, 252, 253, 254, 255, 256,
                            257, 258, 259, 260, 261, 262, 263, 264, 265, 266,
                            267, 272, 273, 274, 275, 276, 277, 278, 280};
    for (int n : pictures) {
        EXPECT_TRUE(qt::Pictures::Exists(n)) << n;
        EXPECT_FALSE(qt::Pictures::Render(n, QSize(40, 30)).isNull()) << n;
    }
    EXPECT_FALSE(qt::Pictures::Exists(9999));
    EXPECT_TRUE(qt::Pictures::Render(9999, QSize(10, 10)).isNull());
    EXPECT_FALSE(qt::Pictures::Icon(32).isNull());
}
