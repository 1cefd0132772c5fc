#include "QtTestApp.h"
#include "TestDialogs.h"

#include "qt/DialogWidget.h"
#include "qt/Renderer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace qm;
using namespace qm::ui;
using namespace qm::ui::test;
using qm::qt::DialogWidget;
using qm::qt::Renderer;
using qm::qt::test::TestApp;

namespace {

template <typename W> W* Widget(DialogWidget* w, int id) {
    return qobject_cast<W*>(w->WidgetFor(id));
}

int Count(const std::vector<Notification>& seen, Event e, int id = -1) {
    return static_cast<int>(std::count_if(seen.begin(), seen.end(), [&](const Notification& n) {
        return n.event == e && (id < 0 || n.id == id);
    }));
}

// A page that scrolls itself like the settings pages: line 10, page 160, wheel 50.
class ScrollingPage : public Dialog {
public:
    ScrollingPage() : Dialog(kPageTemplate) {}
    std::vector<Notification> seen;

protected:
    bool OnInitDialog() override {
        SetScrollInfo(ScrollInfo{0, 1000, 300, 0});
        return true;
    }
    bool OnNotify(Notification& n) override {
        seen.push_back(n);
        int pos = VScroll().pos;
        if (n.event == Event::VScroll) {
            if (n.code == kSbLineDown) {
                pos += 10;
            } else if (n.code == kSbPageDown) {
                pos += 160;
            } else if (n.code == kSbThumbTrack) {
                pos = n.value;
            } else {
                return true;
            }
        } else if (n.event == Event::MouseWheel) {
            pos += n.code < 0 ? 50 : -50;
        } else {
            return false;
        }
        const int old = VScroll().pos;
        SetScrollPos(pos);
        ScrollWindow(0, old - VScroll().pos);
        return true;
    }
};

class RendererTest : public ::testing::Test {
protected:
    void SetUp() override { TestApp(); }
    void Show(Dialog& d) {
        window.reset(renderer.Render(d));
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    Renderer renderer;
    std::unique_ptr<DialogWidget> window;
};

} // namespace

TEST_F(RendererTest, BuildsWidgetsFromTheModelInPixels) {
    SampleDialog d;
    d.Create(nullptr);
    d.Item(30).AddString(u"COM1:");
    d.Item(30).SetCurSel(0);
    d.SetItemText(41, u"4.00");
    Show(d);
    EXPECT_EQ(window->size(), QSize(420, 332));
    auto* label = Widget<QLabel>(window.get(), 10);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->geometry(), QRect(7, 7, 70, 14));
    EXPECT_EQ(label->text(), "Label:");
    EXPECT_EQ(Widget<QPushButton>(window.get(), 12)->text(), "&Send");
    EXPECT_FALSE(window->WidgetFor(13)->isVisible());
    EXPECT_FALSE(window->WidgetFor(80)->isEnabled());
    EXPECT_EQ(Widget<QComboBox>(window.get(), 30)->currentText(), "COM1:");
    EXPECT_EQ(Widget<QComboBox>(window.get(), 31)->count(), 2);
    EXPECT_EQ(Widget<QLineEdit>(window.get(), 41)->text(), "4.00");
    EXPECT_EQ(Widget<QLineEdit>(window.get(), 40)->maxLength(), 5);
    EXPECT_TRUE(Widget<QLineEdit>(window.get(), 43)->isReadOnly());
    EXPECT_FALSE(Widget<QLabel>(window.get(), 60)->pixmap().isNull()); // picture 103
    EXPECT_NE(Widget<QGroupBox>(window.get(), 11), nullptr);
}

TEST_F(RendererTest, FollowsModelChanges) {
    SampleDialog d;
    d.Create(nullptr);
    Show(d);
    d.SetItemText(10, u"日本語のラベル");
    EXPECT_EQ(Widget<QLabel>(window.get(), 10)->text(), QString::fromUtf8("日本語のラベル"));
    d.Item(30).AddString(u"b");
    d.Item(30).AddString(u"a");
    d.Item(30).SetCurSel(1);
    auto* combo = Widget<QComboBox>(window.get(), 30);
    EXPECT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(0), "a");
    EXPECT_EQ(combo->currentText(), "b");
    d.Item(30).DeleteString(1);
    EXPECT_EQ(combo->currentIndex(), -1);
    d.CheckButton(14, 1);
    EXPECT_TRUE(Widget<QCheckBox>(window.get(), 14)->isChecked());
    d.EnableItem(12, false);
    EXPECT_FALSE(window->WidgetFor(12)->isEnabled());
    d.ShowItem(13, true);
    EXPECT_TRUE(window->WidgetFor(13)->isVisible());
    d.Item(41).Move(0, 20);
    EXPECT_EQ(window->WidgetFor(41)->y(), 98 + 20);
    d.Item(50).SetAddress(192, 168, 0, 1);
    EXPECT_EQ(Widget<QLineEdit>(window.get(), 50)->text(), "192.168.0.1");
    d.Item(30).SetTooltip(u"COM1:");
    EXPECT_EQ(combo->toolTip(), "COM1:");
    d.SetTitle(u"Quillmark 1.0.0.0");
    EXPECT_EQ(window->windowTitle(), "Quillmark 1.0.0.0");
    auto* readOnly = Widget<QLineEdit>(window.get(), 43);
    EXPECT_EQ(readOnly->palette().color(QPalette::Base),
              readOnly->palette().color(QPalette::Window));
    d.Item(43).SetReadOnly(false);
    EXPECT_FALSE(readOnly->isReadOnly());
    EXPECT_NE(readOnly->palette().color(QPalette::Base),
              readOnly->palette().color(QPalette::Window));
    auto* tabs = Widget<QTabWidget>(window.get(), 70);
    d.Item(70).InsertString(-1, u"Easy");
    d.Item(70).InsertString(-1, u"Standard");
    d.Item(70).SetCurSel(1);
    EXPECT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->currentIndex(), 1);
    d.Item(70).SetItemText(0, u"かんたん");
    EXPECT_EQ(tabs->tabText(0), QString::fromUtf8("かんたん"));
    EXPECT_TRUE(d.seen.empty() || Count(d.seen, Event::Clicked) == 0);
}

TEST_F(RendererTest, UserInputBecomesModelChangesAndNotifications) {
    SampleDialog d;
    d.Create(nullptr);
    Show(d);
    QTest::mouseClick(window->WidgetFor(14), Qt::LeftButton);
    EXPECT_EQ(d.IsButtonChecked(14), 1);
    EXPECT_EQ(Count(d.seen, Event::Clicked, 14), 1);

    // Radio buttons follow the model's groups.
    QTest::mouseClick(window->WidgetFor(21), Qt::LeftButton);
    QTest::mouseClick(window->WidgetFor(23), Qt::LeftButton);
    QTest::mouseClick(window->WidgetFor(22), Qt::LeftButton);
    QTest::mouseClick(window->WidgetFor(22), Qt::LeftButton); // again: stays checked
    EXPECT_EQ(d.IsButtonChecked(21), 0);
    EXPECT_EQ(d.IsButtonChecked(22), 1);
    EXPECT_EQ(d.IsButtonChecked(23), 1);
    EXPECT_FALSE(Widget<QRadioButton>(window.get(), 21)->isChecked());
    EXPECT_TRUE(Widget<QRadioButton>(window.get(), 22)->isChecked());

    // Typing: digits only, at most five.
    auto* digits = Widget<QLineEdit>(window.get(), 40);
    digits->setFocus();
    QTest::keyClicks(digits, "12a34567");
    EXPECT_EQ(d.GetItemText(40), u"12345");
    EXPECT_EQ(digits->text(), "12345");
    // A refused character never reaches the model nor stays in the field.
    d.Item(41).SetRefusedChars(u",");
    QTest::keyClicks(Widget<QLineEdit>(window.get(), 41), "1,2");
    EXPECT_EQ(d.GetItemText(41), u"12");
    EXPECT_EQ(Widget<QLineEdit>(window.get(), 41)->text(), "12");

    // Keyboard selection in a list.
    auto* combo = Widget<QComboBox>(window.get(), 31);
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(d.Item(31).CurSel(), 0);
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(d.Item(31).CurSel(), 1);
    EXPECT_EQ(Count(d.seen, Event::SelChange, 31), 2);

    // The IP address is taken when editing ends.
    auto* ip = Widget<QLineEdit>(window.get(), 50);
    ip->setFocus();
    QTest::keyClicks(ip, "10.0.0.7");
    QTest::keyClick(ip, Qt::Key_Tab);
    EXPECT_EQ(d.Item(50).Text(), u"10.0.0.7");

    // The up-down arrows drive their buddy through the model.
    d.SetItemText(41, u"3");
    const auto arrows = window->WidgetFor(42)->findChildren<QToolButton*>();
    ASSERT_EQ(arrows.size(), 2);
    QTest::mouseClick(arrows[0], Qt::LeftButton);
    EXPECT_EQ(d.GetItemText(41), u"4");
    EXPECT_EQ(Widget<QLineEdit>(window.get(), 41)->text(), "4");
}

TEST_F(RendererTest, EnterEscapeAndTabsReachTheDialog) {
    SampleDialog d;
    d.Create(nullptr);
    d.handleCancel = true;
    for (const char16_t* t : {u"A", u"B", u"C"}) {
        d.Item(70).InsertString(-1, t);
    }
    d.Item(70).SetCurSel(0);
    Show(d);
    auto* edit = Widget<QLineEdit>(window.get(), 41);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(Count(d.seen, Event::Clicked, 12), 1); // the default button
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(Count(d.seen, Event::Cancel), 1);
    EXPECT_FALSE(d.IsEnded());

    auto* tabs = Widget<QTabWidget>(window.get(), 70);
    QTabBar* bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());
    EXPECT_EQ(d.Item(70).CurSel(), 2);
    EXPECT_EQ(Count(d.seen, Event::TabChange, 70), 1);
    // A handler that puts the selection back is shown as such.
    d.Item(70).SetCurSel(0);
    QCoreApplication::processEvents();
    EXPECT_EQ(tabs->currentIndex(), 0);
}

TEST_F(RendererTest, ColourRequestsColourTheText) {
    SampleDialog d;
    d.Create(nullptr);
    Show(d);
    auto* label = Widget<QLabel>(window.get(), 10);
    const QColor normal = label->palette().color(QPalette::WindowText);
    d.redText = true;
    d.Invalidate();
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    d.redText = false;
    d.SetItemText(10, u"changed"); // a new text asks for the colours too
    EXPECT_EQ(label->palette().color(QPalette::WindowText), normal);
}

TEST_F(RendererTest, PagesScrollWithBarAndWheel) {
    SampleDialog main;
    main.Create(nullptr);
    ScrollingPage page;
    page.Create(&main);
    page.SetWindowRect(Rect{10, 60, 300, 200});
    page.Show(true);
    Show(main);
    DialogWidget* pageWidget = renderer.WidgetOf(page);
    ASSERT_NE(pageWidget, nullptr);
    EXPECT_EQ(pageWidget->parentWidget(), window.get());
    EXPECT_EQ(pageWidget->geometry(), QRect(10, 60, 300, 200));
    auto* bar = pageWidget->findChild<QScrollBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->maximum(), 701);
    EXPECT_EQ(bar->pageStep(), 300);

    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(page.VScroll().pos, 10);
    EXPECT_EQ(bar->value(), 10);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(page.VScroll().pos, 170);
    EXPECT_EQ(pageWidget->WidgetFor(100)->y(), 7 - 170);

    QWheelEvent wheel(QPointF(50, 50), pageWidget->mapToGlobal(QPointF(50, 50)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(pageWidget->WidgetFor(101), &wheel);
    EXPECT_EQ(page.VScroll().pos, 220);
    EXPECT_EQ(bar->value(), 220);
    EXPECT_EQ(Count(page.seen, Event::MouseWheel), 1);

    // A click in the page activates it.
    QTest::mouseClick(pageWidget->WidgetFor(101), Qt::LeftButton);
    EXPECT_GE(Count(page.seen, Event::MouseActivate), 1);

    // Hiding the page hides its window; a page created later appears too.
    page.Show(false);
    EXPECT_FALSE(pageWidget->isVisible());
    PageDialog late;
    late.Create(&main);
    ASSERT_NE(renderer.WidgetOf(late), nullptr);
    EXPECT_EQ(renderer.WidgetOf(late)->parentWidget(), window.get());
}

namespace {

// Refuses tab 2 from inside its own notification, as the main window does when its warning is
// declined.
class RefusingTabs : public SampleDialog {
protected:
    bool OnNotify(Notification& n) override {
        if (n.event == Event::TabChange && Item(70).CurSel() == 2) {
            Item(70).SetCurSel(1);
            Item(70).SetCurSel(0);
            return true;
        }
        return SampleDialog::OnNotify(n);
    }
};

} // namespace

TEST_F(RendererTest, ATabRefusedInsideItsNotificationStaysUnselected) {
    RefusingTabs d;
    d.Create(nullptr);
    for (const char16_t* t : {u"A", u"B", u"C"}) {
        d.Item(70).InsertString(-1, t);
    }
    d.Item(70).SetCurSel(0);
    Show(d);
    auto* tabs = Widget<QTabWidget>(window.get(), 70);
    QTabBar* bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());
    QCoreApplication::processEvents();
    EXPECT_EQ(d.Item(70).CurSel(), 0);
    EXPECT_EQ(tabs->currentIndex(), 0);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    QCoreApplication::processEvents();
    EXPECT_EQ(d.Item(70).CurSel(), 1);
    EXPECT_EQ(tabs->currentIndex(), 1);
}
