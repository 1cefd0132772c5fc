// Main window texts: tab names, captions of the model and interface controls, buttons, the
// receive scope list and the language names.

#include "text/TextData.h"

namespace qm::text_data {
namespace {

using enum TextId;
using enum TextPart;

constexpr DirectoryRow kRows[] = {
    // Tab items 0..5
    {kMainTabs, kCaption, Short(u"Easy", u"かんたん", u"简单", u"간편")},
    {kMainTabs, kCaption, Short(u"Standard", u"基本", u"基础", u"기본")},
    {kMainTabs, kCaption, Short(u"Advanced", u"拡張", u"高级", u"고급")},
    {kMainTabs, kCaption, Short(u"Information", u"情報", u"情报", u"정보")},
    {kMainTabs, kCaption,
     Short(u"Sensor Adjustment", u"センサー調整", u"传感器调整", u"센서 조정")},
    {kMainTabs, kCaption, Short(u"Print Test", u"テスト印刷", u"打印测试", u"테스트 인쇄")},
    // Check box 190
    {kMainCheckAll, kCaption,
     Short(u"Check/Uncheck All Items", u"全選択/全選択解除", u"全部选择/解除选择",
           u"전체선택/전체해제")},
    // Label 110
    {kMainPrinterModel, kCaption,
     Short(u"Printer Model:", u"プリンタモデル:", u"打印机型号:", u"프린터 모델:")},
    // Radio 123
    {kMainDriverName, kCaption,
     Short(u"Driver Name", u"ドライバ名", u"驱动程序名称", u"드라이브 명")},
    // Button 134
    {kMainDetail, kCaption, Short(u"Detail...", u"詳細...", u"细节...", u"자세히...")},
    // Radio 127
    {kMainIpAddress, kCaption, Short(u"IP Address", u"IPアドレス", u"IP地址", u"IP주소")},
    // Label 122
    {kMainPortNumber, kCaption, Short(u"Port Number:", u"ポート番号:", u"端口号:", u"Port번호:")},
    // Button 172
    {kMainSend, kCaption, Short(u"Send Configuration", u"設定送信", u"发送设置", u"설정 보내기")},
    {kMainSend, kCaption,
     Short(u"Start Sensor Adjustment", u"センサー調整開始", u"开始传感器调整",
           u"센서 조정을 시작하십시오")},
    // Buttons 174, 175
    {kMainImport, kCaption, Short(u"Import...", u"インポート...", u"导入...", u"가져오기...")},
    {kMainExport, kCaption, Short(u"Export...", u"エクスポート...", u"导出...", u"내보내기...")},
    // Button 177 and the scope combo 178
    {kMainReceive, kCaption, Short(u"Receive", u"受信", u"收信", u"받기")},
    {kMainReceive, kChoice, Short(u"EASY", u"かんたん", u"简单", u"간편")},
    {kMainReceive, kChoice, Short(u"STANDARD", u"基本", u"基础", u"기본")},
    {kMainReceive, kChoice, Short(u"ADVANCED", u"拡張", u"高级", u"고급")},
    {kMainReceive, kChoice, Short(u"INFORMATION", u"情報", u"情报", u"정보")},
    {kMainReceive, kChoice, Short(u"ALL", u"全て", u"全部", u"모두")},
    // Buttons 176, 173
    {kMainRestoreDefaults, kCaption,
     Short(u"Restore Defaults", u"初期値に戻す", u"恢复默认", u"초기화")},
    {kMainExit, kCaption, Short(u"Exit", u"終了", u"退出", u"나가기")},
    // Language combo 1035: each language by its own name, in every interface language
    {kMainLanguage, kChoice, Same(u"English")},
    {kMainLanguage, kChoice, Same(u"日本語")},
    {kMainLanguage, kChoice, Same(u"简体中文")},
    {kMainLanguage, kChoice, Same(u"한국어")},
};

} // namespace

const std::span<const DirectoryRow> kMainWindowRows{kRows};

} // namespace qm::text_data
