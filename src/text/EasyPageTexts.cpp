// Easy page texts. Unlike the Standard page, the Easy page shows its media, print-method and
// post-print choices in the interface language; they map to the Standard rows by index.

#include "text/TextData.h"

namespace qm::text_data {
namespace {

using enum TextId;
using enum TextPart;

constexpr DirectoryRow kRows[] = {
    {kEasyMediaHandling, kCaption,
     Short(u"Media Handling", u"用紙処理", u"介质处理", u"용지 처리")},
    // Tick box and its three radio buttons (radio index 0, 1, 2)
    {kEasyMediaType, kCaption, Short(u"Media Type", u"用紙タイプ", u"介质类型", u"용지 종류")},
    {kEasyMediaType, kChoice,
     Short(u"Labels with gaps", u"ギャップ付きラベル", u"有间隙标签", u"갭이 있는 라벨")},
    {kEasyMediaType, kChoice,
     Short(u"Black marks on back", u"裏面黒マーク", u"背面黑标", u"뒷면 블랙마크")},
    {kEasyMediaType, kChoice, Short(u"Continuous", u"連続紙", u"连续纸", u"연속 용지")},

    {kEasyPaperLength, kCaption, Short(u"Paper Length", u"用紙長さ", u"纸张长度", u"용지 길이")},
    {kEasyPaperLength, kUnit, kInch},
    {kEasyPaperLength, kUnit, kMm},

    {kEasyPrintMethod, kCaption, Short(u"Print Method", u"印字方式", u"打印方式", u"인쇄 방식")},
    {kEasyPrintMethod, kChoice, Short(u"USE RIBBON", u"リボン使用", u"使用碳带", u"리본 사용")},
    {kEasyPrintMethod, kChoice,
     Short(u"DIRECT THERMAL", u"ダイレクトサーマル", u"直接热敏", u"감열")},

    {kEasyPostPrint, kCaption, Short(u"Post Print", u"印字後動作", u"打印后动作", u"인쇄 후 동작")},
    {kEasyPostPrint, kChoice, Short(u"OFF", u"なし", u"无", u"없음")},
    {kEasyPostPrint, kChoice, Short(u"TEAR", u"ティアオフ", u"撕纸", u"절취")},
    {kEasyPostPrint, kChoice, Short(u"PEEL ON", u"剥離", u"剥离", u"박리")},
    {kEasyPostPrint, kChoice, Short(u"CUT ON", u"カット", u"切纸", u"커팅")},
    {kEasyPostPrint, kChoice, Short(u"REWIND", u"巻取り", u"回卷", u"되감기")},

    {kEasyStartOffset, kCaption,
     Short(u"Start Offset", u"開始オフセット", u"起始偏移", u"시작 오프셋")},
    {kEasyStartOffset, kUnit, kInch},
    {kEasyStartOffset, kUnit, kMm},

    {kEasyStopOffset, kCaption,
     Short(u"Stop Offset", u"停止オフセット", u"停止偏移", u"정지 오프셋")},
    {kEasyStopOffset, kUnit, kInch},
    {kEasyStopOffset, kUnit, kMm},
};

} // namespace

const std::span<const DirectoryRow> kEasyPageRows{kRows};

} // namespace qm::text_data
