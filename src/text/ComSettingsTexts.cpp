// COM Settings dialog texts: labels, the five lists and the title. Parity and flow-control
// names are translated (the dialog compares the chosen text with the current language's
// "None", "Odd", "Hardware", "Xon/Xoff"); the numbers read the same in every language.

#include "text/TextData.h"

namespace qm::text_data {
namespace {

using enum TextId;
using enum TextPart;

constexpr DirectoryRow kRows[] = {
    {kComBaudRate, kCaption, Short(u"Baud rate:", u"ボーレート:", u"波特率:", u"보드 레이트:")},
    {kComBaudRate, kChoice, Same(u"9600")},
    {kComBaudRate, kChoice, Same(u"19200")},
    {kComBaudRate, kChoice, Same(u"38400")},
    {kComBaudRate, kChoice, Same(u"57600")},
    {kComBaudRate, kChoice, Same(u"115200")},

    {kComDataBits, kCaption, Short(u"Data bits:", u"データビット:", u"数据位:", u"데이터 비트:")},
    {kComDataBits, kChoice, Same(u"7")},
    {kComDataBits, kChoice, Same(u"8")},

    {kComStopBits, kCaption, Short(u"Stop bits:", u"ストップビット:", u"停止位:", u"정지 비트:")},
    {kComStopBits, kChoice, Same(u"1")},
    {kComStopBits, kChoice, Same(u"2")},

    {kComParity, kCaption, Short(u"Parity:", u"パリティ:", u"奇偶校验:", u"패리티:")},
    {kComParity, kChoice, Short(u"None", u"なし", u"无", u"없음")},
    {kComParity, kChoice, Short(u"Odd", u"奇数", u"奇", u"홀수")},
    {kComParity, kChoice, Short(u"Even", u"偶数", u"偶", u"짝수")},

    {kComFlowControl, kCaption, Short(u"Flow control:", u"フロー制御:", u"流控制:", u"흐름 제어:")},
    {kComFlowControl, kChoice, Same(u"Xon/Xoff")},
    {kComFlowControl, kChoice, Short(u"Hardware", u"ハードウェア", u"硬件", u"하드웨어")},
    {kComFlowControl, kChoice, Short(u"None", u"なし", u"无", u"없음")},

    // The dialog title and group box 151
    {kComSettings, kCaption, Short(u"COM Settings", u"COM設定", u"COM设置", u"COM 설정")},
    {kComSettings, kCaption, Short(u"COM Settings:", u"COM設定:", u"COM设置:", u"COM 설정:")},
};

} // namespace

const std::span<const DirectoryRow> kComSettingsRows{kRows};

} // namespace qm::text_data
