// Information page texts: group boxes, field captions, the status-only check box, the flag
// texts and the error-code messages of the EPL status form.

#include "text/TextData.h"

namespace qm::text_data {
namespace {

using enum TextId;
using enum TextPart;

constexpr DirectoryRow kRows[] = {
    {kInfoPrinterInformation, kCaption,
     Short(u"Printer Information", u"プリンタ情報", u"打印机信息", u"프린터 정보")},
    {kInfoSerialNumber, kCaption,
     Short(u"Serial Number : ", u"シリアル番号 : ", u"序列号 : ", u"일련번호 : ")},
    {kInfoPrintCounter, kCaption,
     Short(u"Print Counter : ", u"印字カウンタ : ", u"打印计数器 : ", u"인쇄 카운터 : ")},
    {kInfoServiceCounter, kCaption,
     Short(u"Service Counter : ", u"サービスカウンタ : ", u"服务计数器 : ", u"서비스 카운터 : ")},
    {kInfoCutCounter, kCaption,
     Short(u"Cut Counter : ", u"カットカウンタ : ", u"切纸计数器 : ", u"커팅 카운터 : ")},

    {kInfoDmxZplStatus, kCaption,
     Short(u"DMX/ZPL Printer Status", u"DMX/ZPL プリンタステータス", u"DMX/ZPL 打印机状态",
           u"DMX/ZPL 프린터 상태")},
    {kInfoPaperError, kCaption,
     Short(u"Paper Error : ", u"用紙エラー : ", u"纸张错误 : ", u"용지 오류 : ")},
    {kInfoRibbonError, kCaption,
     Short(u"Ribbon Error : ", u"リボンエラー : ", u"碳带错误 : ", u"리본 오류 : ")},
    {kInfoPrinting, kCaption, Short(u"Printing : ", u"印字中 : ", u"正在打印 : ", u"인쇄 중 : ")},
    {kInfoPause, kCaption, Short(u"Pause : ", u"ポーズ : ", u"暂停 : ", u"일시 정지 : ")},
    {kInfoWaitingForPeeling, kCaption,
     Short(u"Waiting for peeling : ", u"剥離待ち : ", u"等待剥离 : ", u"박리 대기 : ")},

    {kInfoEplStatus, kCaption,
     Short(u"EPL Printer Status", u"EPL プリンタステータス", u"EPL 打印机状态",
           u"EPL 프린터 상태")},
    {kInfoErrorCode, kCaption,
     Short(u"Error code : ", u"エラーコード : ", u"错误代码 : ", u"오류 코드 : ")},

    {kInfoReceiveStatusOnly, kCaption,
     Short(u"Receive Printer Status only", u"プリンタステータスのみ受信", u"仅接收打印机状态",
           u"프린터 상태만 받기")},

    // The flag texts; their colour follows the text ("Yes" red), so they read the same in every
    // language.
    {kInfoFlagValues, kChoice, Same(u"Yes")},
    {kInfoFlagValues, kChoice, Same(u"No")},

    // Error-code messages. Only English and Japanese messages exist: the Chinese and Korean
    // interfaces show the English ones.
    {kInfoStatusMessages, kChoice, Short(u"No error", u"エラーなし", u"No error", u"No error")},
    {kInfoStatusMessages, kChoice,
     Short(u"Other error", u"その他のエラー", u"Other error", u"Other error")},
    {kInfoStatusMessages, kChoice,
     Short(u"Paper end / Ribbon end", u"用紙切れ／リボン切れ", u"Paper end / Ribbon end",
           u"Paper end / Ribbon end")},
    {kInfoStatusMessages, kChoice, Short(u"Head up", u"ヘッドアップ", u"Head up", u"Head up")},
    {kInfoStatusMessages, kChoice,
     Short(u"Pause / Waiting for peeling", u"ポーズ中／剥離待ち中", u"Pause / Waiting for peeling",
           u"Pause / Waiting for peeling")},
    {kInfoStatusMessages, kChoice,
     Short(u"Printer is busy", u"プリンタ使用中", u"Printer is busy", u"Printer is busy")},
};

} // namespace

const std::span<const DirectoryRow> kInformationPageRows{kRows};

} // namespace qm::text_data
