// Self Information dialog texts (its failure messages are fixed English long rows).

#include "text/TextData.h"

namespace qm::text_data {
namespace {

using enum TextId;
using enum TextPart;

constexpr DirectoryRow kRows[] = {
    {kSelfInfoTitle, kCaption,
     Short(u"Self Information", u"セルフ情報", u"本机信息", u"자체 정보")},
    {kSelfInfoSave, kCaption, Short(u"Save", u"保存", u"保存", u"저장")},
    {kSelfInfoMachineInformation, kCaption,
     Short(u"< Machine Information >", u"< 機器情報 >", u"< 机器信息 >", u"< 기기 정보 >")},
    {kSelfInfoCurrentMenuSettings, kCaption,
     Short(u"< Current Menu Settings >", u"< 現在のメニュー設定 >", u"< 当前菜单设置 >",
           u"< 현재 메뉴 설정 >")},
};

} // namespace

const std::span<const DirectoryRow> kSelfInfoRows{kRows};

} // namespace qm::text_data
