#include "app/COstrellApp.h"
#include "platform/InstanceLock.h"
#include "settings/ModelTable.h"
#include "text/MessageBoxHost.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace qm {
namespace {

namespace fs = std::filesystem;

// Answers message boxes from a queue and records them.
class FakeMessageHost : public MessageBoxHost {
public:
    struct Shown {
        std::u16string text;
        unsigned style;
    };
    int MessageBox(std::u16string_view text, std::u16string_view, unsigned style) override {
        shown.push_back({std::u16string(text), style});
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected message box";
            return kIdNo;
        }
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::deque<int> answers;
    std::vector<Shown> shown;
};

// A main window that stands for the real one: it records what it saw and, when asked to apply
// its interface selection, puts its "controls" into the current preferences.
class FakeWindow : public MainWindow {
public:
    explicit FakeWindow(COstrellApp& app) : app_(app) {}
    int RunMainWindow() override {
        ++runs;
        modelCountSeen = app_.ModelCount();
        prefsSeen = app_.CurrentPreferences();
        if (onRun) {
            onRun(app_);
        }
        return result;
    }
    void ApplyInterfaceSelection() override {
        ++applied;
        if (controls) {
            app_.CurrentPreferences().portType = controls->portType;
            app_.CurrentPreferences().portName = controls->portName;
            app_.CurrentPreferences().portNumber = controls->portNumber;
        }
    }

    COstrellApp& app_;
    int runs = 0;
    int applied = 0;
    int result = 0;
    int modelCountSeen = -1;
    Preferences prefsSeen;
    const Preferences* controls = nullptr;
    std::function<void(COstrellApp&)> onRun;
};

class COstrellAppTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "qm-app-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        ::setenv("XDG_RUNTIME_DIR", dir_.c_str(), 1);
        ::setenv("QUILLMARK_HOME", dir_.c_str(), 1);
        ::setenv("LC_ALL", "en_US.UTF-8", 1);
        ini_ = dir_ + "/Quillmark.ini";
    }
    void TearDown() override {
        ::unsetenv("XDG_RUNTIME_DIR");
        ::unsetenv("QUILLMARK_HOME");
        ::unsetenv("LC_ALL");
        fs::remove_all(dir_);
    }
    void Ini(const std::string& text) const {
        std::ofstream out(ini_, std::ios::binary | std::ios::trunc);
        out << text;
    }
    std::string Bytes() const {
        std::ifstream in(ini_, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    std::string dir_;
    std::string ini_;
    FakeMessageHost host_;
};

TEST_F(COstrellAppTest, LoadBuildsTheIniPathAndTheModelList) {
    Ini("[Quillmark]\nPRINTER_MODEL=" + std::string("Nonexistent model") + "\nPORT_TYPE=COM\n");
    COstrellApp app(host_);
    EXPECT_EQ(COstrellApp::Current(), &app);
    app.LoadPreferences();
    EXPECT_EQ(app.IniPath(), ini_);
    ASSERT_EQ(app.ModelCount(), kModelCount);
    for (int i = 0; i < kModelCount; ++i) {
        EXPECT_EQ(app.ModelName(i), ModelTable::DisplayName(i));
    }
    EXPECT_EQ(app.ModelName(-1), u"");
    EXPECT_EQ(app.ModelName(kModelCount), u"");
    EXPECT_EQ(app.CurrentPreferences().printerModel, app.ModelName(0));
    EXPECT_EQ(app.ModelIndexOf(app.ModelName(5)), 5);
    EXPECT_EQ(app.CurrentPreferences().portType, kPortCom);
    EXPECT_EQ(app.LoadedPreferences(), app.CurrentPreferences());

    // Loading again rebuilds the list rather than appending to it.
    app.LoadPreferences();
    EXPECT_EQ(app.ModelCount(), kModelCount);

    // The connection reads the current interface settings through the application object.
    app.CurrentPreferences().portName = u"COM7:";
    app.CurrentPreferences().serial.baudRate = 57600;
    app.SetDriverPortKind(kPortLpt);
    const InterfaceSettingsSource& source = app;
    EXPECT_EQ(source.StoredPortType(), kPortCom);
    EXPECT_EQ(source.StoredPortName(), u"COM7:");
    EXPECT_EQ(source.StoredSerialSettings().baudRate, 57600u);
    EXPECT_EQ(source.DriverPortKind(), kPortLpt);
}

TEST_F(COstrellAppTest, Utf16FileWithAModelNameAndAJapaneseFolder) {
    const std::u16string model = ModelTable::DisplayName(1);
    const std::u16string text = u"[Quillmark]\r\nPRINTER_MODEL=" + model +
                                u"\r\nDEFAULT_FOLDER=/home/\u5C71\u7530\r\nREGION=1\r\n";
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    Ini(bytes);
    COstrellApp app(host_);
    app.LoadPreferences();
    EXPECT_EQ(app.CurrentPreferences().printerModel, model);
    EXPECT_EQ(app.ModelIndexOf(app.CurrentPreferences().printerModel), 1);
    EXPECT_EQ(app.CurrentPreferences().defaultFolder, u"/home/\u5C71\u7530");
    EXPECT_EQ(app.Region(), 1);

    // Changing the model writes only that key; the file stays UTF-16 and keeps its other lines.
    app.CurrentPreferences().printerModel = ModelTable::DisplayName(2);
    host_.answers = {kIdYes};
    EXPECT_EQ(app.SavePreferences(), 1);
    COstrellApp next(host_);
    next.LoadPreferences();
    EXPECT_EQ(next.CurrentPreferences().printerModel, ModelTable::DisplayName(2));
    EXPECT_EQ(next.CurrentPreferences().defaultFolder, u"/home/\u5C71\u7530");
    EXPECT_EQ(Bytes().substr(0, 2), "\xFF\xFE");
}

TEST_F(COstrellAppTest, ExitAnsweredNoWritesNothingAndReturnsSeven) {
    Ini("[Quillmark]\nPORT_TYPE=NET\nPORT_NAME=printer.example\n");
    const std::string before = Bytes();
    COstrellApp app(host_);
    // Declining must not wait for a name lookup first.
    app.SetHostNameResolver([](std::u16string_view, std::u16string&) {
        ADD_FAILURE() << "name looked up although the window stays open";
        return false;
    });
    app.LoadPreferences();
    app.CurrentPreferences().region = 2;
    host_.answers = {kIdNo};
    EXPECT_EQ(app.SavePreferences(), kIdNo);
    ASSERT_EQ(host_.shown.size(), 1u);
    EXPECT_EQ(host_.shown[0].style, kMbYesNo | kMbIconQuestion);
    EXPECT_EQ(Bytes(), before);
}

TEST_F(COstrellAppTest, ExitWithoutChangesWritesNothingEvenAfterYes) {
    Ini("[Quillmark]\nPORT_TYPE=USB\nPORT_NAME=USB001\nREGION=0\n");
    const std::string before = Bytes();
    COstrellApp app(host_);
    app.LoadPreferences();
    host_.answers = {kIdYes};
    EXPECT_EQ(app.SavePreferences(), 1);
    EXPECT_EQ(host_.shown.at(0).text, u"Exit program?");
    EXPECT_EQ(Bytes(), before);
}

TEST_F(COstrellAppTest, ExitWritesOnlyTheChangedKeysAfterTheWindowAppliedItsControls) {
    COstrellApp app(host_);
    app.LoadPreferences();
    FakeWindow window(app);
    app.SetMainWindow(&window);
    // The window's interface controls hold NET with its defaults; the loaded set is empty.
    Preferences controls;
    controls.portType = kPortNet;
    controls.portName = u"192.168.0.1";
    controls.portNumber = u"9100";
    window.controls = &controls;
    app.CurrentPreferences().defaultFolder = u"/home/op";

    host_.answers = {kIdYes};
    EXPECT_EQ(app.SavePreferences(), 1);
    EXPECT_EQ(window.applied, 1);
    // PORT_NAME and PORT_NUMBER hold the defaults and are not written.
    std::string expected = "\xFF\xFE";
    for (char16_t c :
         std::u16string_view(u"[Quillmark]\r\nPORT_TYPE=NET\r\nDEFAULT_FOLDER=/home/op\r\n")) {
        expected.push_back(static_cast<char>(c & 0xFF));
        expected.push_back(static_cast<char>(c >> 8));
    }
    EXPECT_EQ(Bytes(), expected);

    // The next run reads back what was written.
    COstrellApp next(host_);
    next.LoadPreferences();
    EXPECT_EQ(next.CurrentPreferences().portType, kPortNet);
    EXPECT_EQ(next.CurrentPreferences().defaultFolder, u"/home/op");
}

TEST_F(COstrellAppTest, PreferencesThatCannotBeSavedAreReportedOnStandardError) {
    // A file where the folder should be: no user, root included, can write there.
    std::ofstream(dir_ + "/blocked") << "not a folder\n";
    COstrellApp app(host_);
    app.SetIniFolder(dir_ + "/blocked/quillmark");
    app.LoadPreferences();
    app.CurrentPreferences().defaultFolder = u"/home/op";
    host_.answers = {kIdYes};
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(app.SavePreferences(), 1);
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("could not be saved to " + dir_ + "/blocked/quillmark/Quillmark.ini"),
              std::string::npos)
        << err;
    EXPECT_NE(err.find("Not a directory"), std::string::npos) << err;
    EXPECT_TRUE(fs::is_regular_file(dir_ + "/blocked"));

    // A save that works says nothing.
    COstrellApp fine(host_);
    fine.LoadPreferences();
    fine.CurrentPreferences().defaultFolder = u"/home/op";
    host_.answers = {kIdYes};
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(fine.SavePreferences(), 1);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

TEST_F(COstrellAppTest, NetHostNameIsComparedInItsResolvedForm) {
    Ini("[Quillmark]\nPORT_TYPE=NET\nPORT_NAME=printer.example\nPORT_NUMBER=9100\n");
    COstrellApp app(host_);
    app.SetHostNameResolver([](std::u16string_view name, std::u16string& dotted) {
        if (name != u"printer.example") {
            return false;
        }
        dotted = u"10.9.8.7";
        return true;
    });
    app.LoadPreferences();
    app.CurrentPreferences().portName = u"10.9.8.7"; // what the window made of the name
    const std::string before = Bytes();
    host_.answers = {kIdYes};
    EXPECT_EQ(app.SavePreferences(), 1);
    EXPECT_EQ(Bytes(), before);

    app.CurrentPreferences().portName = u"10.9.8.6";
    host_.answers = {kIdYes};
    EXPECT_EQ(app.SavePreferences(), 1);
    EXPECT_EQ(Bytes(), "[Quillmark]\nPORT_TYPE=NET\nPORT_NAME=10.9.8.6\nPORT_NUMBER=9100\n");
}

TEST_F(COstrellAppTest, StartUpLoadsPreferencesThenRunsTheWindowAndReturnsItsResult) {
    Ini("[Quillmark]\nPORT_TYPE=LPT\nPORT_NAME=LPT1:\n");
    ::setenv("LC_ALL", "ko_KR.UTF-8", 1);
    COstrellApp app(host_);
    app.SetInstanceName("quillmark-test");
    FakeWindow* made = nullptr;
    const int code = app.Run([&](COstrellApp& a) {
        EXPECT_EQ(&a, &app);
        auto window = std::make_unique<FakeWindow>(a);
        window->result = 3;
        window->onRun = [](COstrellApp& running) {
            EXPECT_NE(running.GetMainWindow(), nullptr);
            // While the window runs, a second start-up with the same name is refused.
            InstanceLock probe("quillmark-test");
            EXPECT_FALSE(probe.TryAcquire());
        };
        made = window.get();
        return window;
    });
    EXPECT_EQ(code, 3);
    EXPECT_EQ(app.ExitCode(), 3);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(app.UserLanguageId(), 0x12);
    EXPECT_EQ(app.Region(), 3);
    EXPECT_EQ(app.CurrentPreferences().portName, u"LPT1:");
    EXPECT_EQ(app.GetMainWindow(), nullptr);
    EXPECT_TRUE(host_.shown.empty());
    // The lock is released at the end.
    InstanceLock after("quillmark-test");
    EXPECT_TRUE(after.TryAcquire());
}

TEST_F(COstrellAppTest, StartUpWhileAnotherHoldsTheLockEndsWithTenAndShowsNothing) {
    InstanceLock other("quillmark-test");
    ASSERT_TRUE(other.TryAcquire());
    COstrellApp app(host_);
    app.SetInstanceName("quillmark-test");
    bool built = false;
    const int code = app.Run([&](COstrellApp& a) {
        built = true;
        return std::make_unique<FakeWindow>(a);
    });
    EXPECT_EQ(code, COstrellApp::kExitAlreadyRunning);
    EXPECT_FALSE(built);
    EXPECT_TRUE(host_.shown.empty());
    EXPECT_EQ(app.ModelCount(), 0); // nothing was loaded either
}

TEST_F(COstrellAppTest, StartUpStillRunsWhenNoLockFileCanBeMade) {
    ::setenv("XDG_RUNTIME_DIR", (dir_ + "/missing").c_str(), 1);
    COstrellApp app(host_);
    app.SetInstanceName("quillmark-test");
    bool built = false;
    EXPECT_EQ(app.Run([&](COstrellApp& a) {
        built = true;
        return std::make_unique<FakeWindow>(a);
    }),
              0);
    EXPECT_TRUE(built);
}

} // namespace
} // namespace qm
