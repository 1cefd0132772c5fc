// Print Test page texts.

#include "text/TextData.h"

namespace qm::text_data {
namespace {

using enum TextId;
using enum TextPart;

constexpr DirectoryRow kRows[] = {
    {kPrintSelfTest, kCaption, Short(u"Self Test", u"セルフテスト", u"自检", u"자가 테스트")},
    {kPrintSample, kCaption, Short(u"Print Sample", u"サンプル印刷", u"打印样张", u"샘플 인쇄")},
    {kPrintSendFile, kCaption, Short(u"Send File", u"ファイル送信", u"发送文件", u"파일보내기")},
    {kPrintBrowse, kCaption, Short(u"Browse...", u"参照...", u"浏览...", u"찾아보기...")},
    {kPrintExecute, kCaption, Short(u"Execute", u"実行", u"执行", u"실행")},
};

} // namespace

const std::span<const DirectoryRow> kPrintPageRows{kRows};

} // namespace qm::text_data
