// Further long rows: the main window's sensor adjustment and RFID messages, the file-dialog
// filters, the Sensor Adjustment page's prompt and step texts, and the fixed English texts of
// the Self Info receive and the Self Information dialog.

#include "text/TextData.h"

namespace qm::text_data {
namespace {

using enum LongTextId;

constexpr LongEntry kRows[] = {
    {kConfirmSensorAdjustment,
     Long(u"Are you sure to start sensor adjustment?", u"センサー調整を開始してよろしいですか？",
          u"是否确定开始传感器调整吗？", u"센서 조정을 시작 하시겠습니까?")},
    {kSensorAdjustmentDone,
     Long(u"Sensor adjustment done successfully.", u"センサー調整に成功しました。",
          u"传感器调整成功。", u"센서 조정을 성공적으로 완료하였습니다.")},
    {kSensorAdjustmentFailed,
     Long(u"Sensor adjustment failed.\nPlease try again.",
          u"センサー調整に失敗しました。\n再度お試しください。", u"传感器调整失败。\n请再试一次。",
          u"센서 조정에 실패하였습니다.\n다시 시도하십시오.")},
    {kConfirmRfidCalibration,
     Long(u"Are you sure to start RFID Calibration?", u"RFIDセンサー調整を開始してよろしいですか？",
          u"您确定要开始RFID校准吗？", u"RFID 보정을 시작 하시겠습니까?")},
    {kRfidCalibrationDone,
     Long(u"RFID Calibration done successfully.", u"RFIDセンサー調整に成功しました。",
          u"RFID校准成功完成。", u"RFID 보정이 성공적으로 완료되었습니다.")},
    {kRfidCalibrationFailed,
     Long(u"RFID Calibration failed.\nPlease try again.",
          u"RFIDセンサー調整に失敗しました。\n再度お試しください。",
          u"RFID校准失败。\n请再试一次。", u"RFID 보정에 실패했습니다.\n다시 시도하십시오.")},
    {kRfidNotSupported,
     Long(u"This printer does not support RFID.", u"RFID対応機種ではありません。",
          u"本打印机不支持RFID。", u"이 프린터는 RFID를 지원하지 않습니다.")},

    // Description and pattern strings, each NUL-terminated; the literal's own NUL adds the
    // empty string that ends the list.
    {kFileFilter, Long(u"PRN Files (*.prn)\0*.prn\0All Files (*.*)\0*.*\0",
                       u"PRNファイル (*.prn)\0*.prn\0すべてのファイル (*.*)\0*.*\0",
                       u"PRN文件 (*.prn)\0*.prn\0所有文件 (*.*)\0*.*\0",
                       u"PRN 파일 (*.prn)\0*.prn\0모든 파일 (*.*)\0*.*\0")},

    {kCalSelectMedia,
     Long(u"Please select the type of media being used:", u"使用する用紙の種類を選択してください:",
          u"请选择所使用的介质类型:", u"사용 중인 용지 종류를 선택하십시오:")},
    {kCalStep1, Long(u"1. Make sure the sensor position is adjusted correctly and the upper\n"
                     u"    and lower sensors are in alignment.",
                     u"1. センサー位置が正しく調整され、上下のセンサーの位置が\n"
                     u"    合っていることを確認してください。",
                     u"1. 请确认传感器位置已正确调整，并且上下传感器\n"
                     u"    已对齐。",
                     u"1. 센서 위치가 올바르게 조정되어 있고 상하 센서가\n"
                     u"    정렬되어 있는지 확인하십시오.")},
    {kCalStep2, Long(u"1. (In case of Front Fixed Sensor) Make sure the gaps go through the\n"
                     u"     sensor position.  If not, consider using Rear Adjustment Sensor.\n"
                     u"   (In case of Rear Adjustment Sensor) Make sure the sensor position\n"
                     u"     is adjusted correctly using the blue adjuster.",
                     u"1. (前部固定センサーの場合) ギャップがセンサー位置を通過する\n"
                     u"     ことを確認してください。通過しない場合は、後部可動\n"
                     u"     センサーのご使用をご検討ください。\n"
                     u"   (後部可動センサーの場合) 青い調整つまみでセンサー位置が\n"
                     u"     正しく調整されていることを確認してください。",
                     u"1. (使用前部固定传感器时) 请确认间隙经过传感器位置。\n"
                     u"     否则请考虑使用后部可调传感器。\n"
                     u"   (使用后部可调传感器时) 请使用蓝色调节器正确调整\n"
                     u"     传感器位置。",
                     u"1. (전면 고정 센서의 경우) 갭이 센서 위치를 지나가는지\n"
                     u"     확인하십시오. 그렇지 않으면 후면 조정 센서의 사용을\n"
                     u"     고려하십시오.\n"
                     u"   (후면 조정 센서의 경우) 파란색 조정기로 센서 위치가\n"
                     u"     올바르게 조정되어 있는지 확인하십시오.")},
    {kCalStep3, Long(u"1. Make sure the lower sensor position is adjusted correctly.",
                     u"1. 下部センサーの位置が正しく調整されていることを確認して\n"
                     u"    ください。",
                     u"1. 请确认下部传感器位置已正确调整。",
                     u"1. 하부 센서 위치가 올바르게 조정되어 있는지 확인하십시오.")},
    {kCalStep4, Long(u"1. (In case of Front Fixed Sensor) Make sure the black marks go through\n"
                     u"     the sensor position.  If not, consider using Rear Adjustment Sensor.\n"
                     u"   (In case of Rear Adjustment Sensor) Make sure the sensor position is\n"
                     u"     adjusted correctly using the blue adjuster.",
                     u"1. (前部固定センサーの場合) 黒マークがセンサー位置を通過する\n"
                     u"     ことを確認してください。通過しない場合は、後部可動\n"
                     u"     センサーのご使用をご検討ください。\n"
                     u"   (後部可動センサーの場合) 青い調整つまみでセンサー位置が\n"
                     u"     正しく調整されていることを確認してください。",
                     u"1. (使用前部固定传感器时) 请确认黑标经过传感器位置。\n"
                     u"     否则请考虑使用后部可调传感器。\n"
                     u"   (使用后部可调传感器时) 请使用蓝色调节器正确调整\n"
                     u"     传感器位置。",
                     u"1. (전면 고정 센서의 경우) 블랙마크가 센서 위치를\n"
                     u"     지나가는지 확인하십시오. 그렇지 않으면 후면 조정 센서의\n"
                     u"     사용을 고려하십시오.\n"
                     u"   (후면 조정 센서의 경우) 파란색 조정기로 센서 위치가\n"
                     u"     올바르게 조정되어 있는지 확인하십시오.")},
    {kCalStep5, Long(u"2. Remove the labels to show the backing paper (liner) only.",
                     u"2. ラベルをはがし、台紙 (ライナー) だけの状態にしてください。",
                     u"2. 揭下标签，只保留底纸 (衬纸)。",
                     u"2. 라벨을 떼어 내어 받침 종이 (라이너) 만 남기십시오.")},
    {kCalStep6,
     Long(u"2. Set the paper so that the black marks are facing downwards.",
          u"2. 黒マークが下向きになるように用紙をセットしてください。",
          u"2. 装入纸张，使黑标朝下。", u"2. 블랙마크가 아래를 향하도록 용지를 넣으십시오.")},
    {kCalStep7, Long(u"3. Place the media in the printer so that the backing paper is between\n"
                     u"    the sensors.",
                     u"3. 台紙がセンサーの間に来るように、用紙をプリンタに\n"
                     u"    セットしてください。",
                     u"3. 将介质装入打印机，使底纸位于两个传感器之间。",
                     u"3. 받침 종이가 센서 사이에 오도록 용지를 프린터에\n"
                     u"    넣으십시오.")},
    {kCalStep8, Long(u"3. Place the media so that the black marks are not directly over the\n"
                     u"    sensor.",
                     u"3. 黒マークがセンサーの真上に来ないように用紙をセットして\n"
                     u"    ください。",
                     u"3. 装入介质，使黑标不要正好位于传感器上方。",
                     u"3. 블랙마크가 센서 바로 위에 오지 않도록 용지를\n"
                     u"    넣으십시오.")},
    {kCalStep9, Long(u"4. Close the printer and click on the Start Sensor Adjustment.",
                     u"4. プリンタを閉じて、[センサー調整開始] をクリックしてください。",
                     u"4. 关闭打印机，然后单击 [开始传感器调整]。",
                     u"4. 프린터를 닫고 [센서 조정을 시작하십시오] 버튼을 클릭하십시오.")},

    // Fixed English texts: the Self Info wait and the Self Information dialog report in English
    // whatever the interface language.
    {kReceiveTimeout, LongSame(u"Error: Receive timeout occured.")},
    {kReceiveDataCaption, LongSame(u"Receive data")},
    {kSelfInfoFolderError, LongSame(u"Error: Could not create a folder.")},
    {kSelfInfoFolderCaption, LongSame(u"Folder Error")},
    {kSelfInfoNoModel, LongSame(u"Error: No \"Model Number\".")},
    {kSelfInfoNoSerial, LongSame(u"Error: No \"Serial Number\".")},
    {kSelfInfoDataCaption, LongSame(u"Data Error")},
    {kSelfInfoOpenError, LongSame(u"Error: Failed to open a file.")},
    {kSelfInfoWriteError, LongSame(u"Error: Failed to write data.")},
    {kSelfInfoFileCaption, LongSame(u"File Error")},
    {kSelfInfoSaved, LongSame(u" was saved.")},
    {kSelfInfoSaveCaption, LongSame(u"Save")},
};

static_assert(std::size(kRows) == kLongTextIdCount);

} // namespace

const std::span<const LongEntry> kLongEntries{kRows};

} // namespace qm::text_data
