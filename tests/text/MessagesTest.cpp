#include "text/Messages.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace qm {
namespace {

// Records every box and answers from a queue (kIdOk when it runs dry).
class RecordingHost : public MessageBoxHost {
public:
    struct Box {
        std::u16string text;
        std::u16string caption;
        unsigned style;
    };
    int MessageBox(std::u16string_view text, std::u16string_view caption, unsigned style) override {
        shown.push_back({std::u16string(text), std::u16string(caption), style});
        if (answers.empty()) {
            return kIdOk;
        }
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::vector<Box> shown;
    std::deque<int> answers;
};

TEST(Messages, ShowMessageUsesTheCurrentLanguageAtEveryCall) {
    RecordingHost host;
    int region = 1;
    Messages messages(host, [&region] { return region; });
    host.answers = {kIdNo, kIdYes};

    EXPECT_EQ(messages.ShowMessage(kMsgConfirmExit, kMbYesNo | kMbIconQuestion), kIdNo);
    region = 3;
    EXPECT_EQ(messages.ShowMessage(kMsgOpenPortError, kMbIconError), kIdYes);
    region = 7; // not a language: English
    messages.ShowMessage(kMsgConfirmSend, kMbYesNo | kMbIconWarning);

    ASSERT_EQ(host.shown.size(), 3u);
    EXPECT_EQ(host.shown[0].text, u"プログラムを終了しますか？");
    EXPECT_EQ(host.shown[0].caption, kMessageCaption);
    EXPECT_EQ(host.shown[0].style, 0x24u);
    EXPECT_EQ(host.shown[1].text, u"code : 30\r\n포트 열기 에러.");
    EXPECT_EQ(host.shown[2].text, u"Are you sure to send the configuration?");
    EXPECT_EQ(host.shown[2].style, 0x34u);
}

TEST(Messages, IndexOutsideTheTableShowsAnEmptyText) {
    RecordingHost host;
    Messages messages(host, UiLanguage::kJapanese);
    messages.ShowMessage(17, kMbIconError);
    messages.ShowMessage(-1, kMbIconError);
    ASSERT_EQ(host.shown.size(), 2u);
    EXPECT_TRUE(host.shown[0].text.empty());
    EXPECT_TRUE(host.shown[1].text.empty());
}

TEST(Messages, FurtherLongRows) {
    RecordingHost host;
    Messages messages(host, UiLanguage::kChinese);
    messages.ShowLong(LongTextId::kSensorAdjustmentFailed, kMbIconError);
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_EQ(host.shown[0].text, u"传感器调整失败。\n请再试一次。");
    EXPECT_EQ(host.shown[0].style, kMbIconError);
}

TEST(Messages, ShowErrorCodeTable) {
    const struct {
        int code;
        std::vector<std::u16string> texts;
        unsigned style;
    } cases[] = {
        {20, {u"code : 20\r\nImport error. Please check the file."}, 0x10},
        {22, {u"code : 22\r\nExport error."}, 0x30},
        {23, {u"code : 23\r\nError. Please check the item(s) in red."}, 0x10},
        {24, {u"code : 24\r\nPlease select item(s) to configure."}, 0x10},
        {30, {u"code : 30\r\nOpen port error."}, 0x10},
        {31, {u"code : 31\r\nData transfer error."}, 0x10},
        {32, {u"code : 32\r\nAcquisition data has an error."}, 0x10},
        {40, {u"code : 40\r\nPlease choose the interface."}, 0x10},
        {80,
         {u"code : 80\r\nFile Open error. Please check the file.",
          u"code : 81\r\nFile Read error. Please check the file."},
         0x10},
        {81, {u"code : 81\r\nFile Read error. Please check the file."}, 0x10},
        {0, {}, 0},
        {1, {}, 0},
        {21, {}, 0},
        {110, {}, 0},
        {-30, {}, 0},
    };
    for (const auto& c : cases) {
        RecordingHost host;
        Messages messages(host, UiLanguage::kEnglish);
        EXPECT_EQ(messages.ShowErrorCode(c.code), static_cast<int>(c.texts.size())) << c.code;
        ASSERT_EQ(host.shown.size(), c.texts.size()) << c.code;
        for (std::size_t i = 0; i < c.texts.size(); ++i) {
            EXPECT_EQ(host.shown[i].text, c.texts[i]) << c.code;
            EXPECT_EQ(host.shown[i].style, c.style) << c.code;
        }
    }
}

TEST(Messages, ErrorCodeInJapaneseKeepsThePrefix) {
    RecordingHost host;
    Messages messages(host, UiLanguage::kJapanese);
    messages.ShowErrorCode(20);
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_EQ(host.shown[0].text,
              u"code : 20\r\nファイル入力エラーです。ファイルを確認してください。");
}

} // namespace
} // namespace qm
