// Sensor Adjustment page texts (its Config Set list is the shared kConfigSet entry; its prompt
// and step texts are long rows).

#include "text/TextData.h"

namespace qm::text_data {
namespace {

using enum TextId;
using enum TextPart;

constexpr DirectoryRow kRows[] = {
    {kCalGlobalConfig, kCaption, Short(u"Global Config", u"全体設定", u"全局设置", u"전체 설정")},
    {kCalMediaCalibration, kCaption,
     Short(u"Media Calibration", u"用紙センサー調整", u"介质校准", u"용지 보정")},
    // Radio buttons, media type 0 and 1
    {kCalMediaType, kChoice,
     Short(u"Labels with gaps", u"ギャップ付きラベル", u"有间隙标签", u"갭이 있는 라벨")},
    {kCalMediaType, kChoice,
     Short(u"Black marks on back", u"裏面黒マーク", u"背面黑标", u"뒷면 블랙마크")},
    {kCalRfidCalibration, kCaption,
     Short(u"RFID Calibration", u"RFIDセンサー調整", u"RFID校准", u"RFID 보정")},
    {kCalStart, kCaption,
     Short(u"Start Sensor Adjustment", u"センサー調整開始", u"开始传感器调整",
           u"센서 조정을 시작하십시오")},
};

} // namespace

const std::span<const DirectoryRow> kCalibrationPageRows{kRows};

} // namespace qm::text_data
