// The message table: 17 long rows addressed by index. The "code : nn" prefixes read the same in
// every language.

#include "text/TextData.h"

namespace qm::text_data {
namespace {

constexpr LongRow kRows[] = {
    // 0
    Long(u"code : 20\r\nImport error. Please check the file.",
         u"code : 20\r\nファイル入力エラーです。ファイルを確認してください。",
         u"code : 20\r\n导入时文件发生错误。请检查文件。",
         u"code : 20\r\n파일 입력 오류. 파일을 확인하세요."),
    // 1
    Long(u"code : 21\r\nInvalid data error. Are you sure to continue to import?",
         u"code : 21\r\n無効な項目があります。インポート処理を続行しますか？",
         u"code : 21\r\n导入的文件中有无效的数据。是否继续导入数据？",
         u"code : 21\r\n잘못된 데이터 오류.  가져오기를 계속 하시겠습니까?"),
    // 2
    Long(u"code : 22\r\nExport error.", u"code : 22\r\nファイル出力エラーです。",
         u"code : 22\r\n导出文件时发生错误。", u"code : 22\r\n내보내기 오류."),
    // 3
    Long(u"code : 23\r\nError. Please check the item(s) in red.",
         u"code : 23\r\n設定データに誤りがあります。", u"code : 23\r\n设置的数据存在错误。",
         u"code : 23\r\n오류. 프린터 설정에 문제가 있습니다."),
    // 4
    Long(u"code : 24\r\nPlease select item(s) to configure.",
         u"code : 24\r\n設定する項目を選択して下さい。", u"code : 24\r\n请选择需要设置的项目。",
         u"code : 24\r\n프린터 설정 항목을 선택해 주세요."),
    // 5
    Long(u"code : 30\r\nOpen port error.", u"code : 30\r\nポートのオープンに失敗しました。",
         u"code : 30\r\n打开端口时发生了错误。", u"code : 30\r\n포트 열기 에러."),
    // 6
    Long(u"code : 31\r\nData transfer error.",
         u"code : 31\r\n転送中にエラーが発生しました。接続を確認して下さい。",
         u"code : 31\r\n数据传输中发生错误。请检查接续情况。",
         u"code : 31\r\n데이터 보내기 에러. 프린터 연결상태를 확인하세요."),
    // 7
    Long(u"code : 32\r\nAcquisition data has an error.",
         u"code : 32\r\n取得したデータにエラーがあります。", u"code : 32\r\n读取的数据中存在错误。",
         u"code : 32\r\n수집된 데이터 에러."),
    // 8
    Long(u"code : 40\r\nPlease choose the interface.",
         u"code : 40\r\nプリンタとの通信インターフェースを選択してください。",
         u"code : 40\r\n请选择打印机及数据接口。", u"code : 40\r\n통신포트 선택."),
    // 9
    Long(u"Are you sure to send the configuration?", u"プリンタへ設定データを送信しますか？",
         u"是否向打印机传输设定好的数据？", u"프린터 설정을 보내시겠습니까?"),
    // 10
    Long(u"Are you sure to restore defaults?", u"設定を初期値に戻します。よろしいですか？",
         u"确定回到默认设置的状态吗？", u"초기화를 하시겠습니까?"),
    // 11
    Long(u"Advanced menu contains mechanically sensitive items. Use at your own risk.",
         u"拡張メニューには機器の性能に影響を与える項目が含まれています。十分ご注意下さい。",
         u"在高级设定中，含有会影响打印机性能的项目。请您在设定时注意操作。",
         u"고급 메뉴에는 기기의 성능에 영향을 끼칠 수 있는 항목이 포함되어있습니다. "
         u"충분히 주의해주세요."),
    // 12
    Long(u"Exit program?", u"プログラムを終了しますか？", u"是否结束程序？",
         u"프로그램을 종료하시겠습니까?"),
    // 13
    Long(u"Are you sure to receive the configuration?", u"プリンタから設定データを取得しますか？",
         u"是否确定从打印机取得设置数据？", u"프린터 설정을 받으시겠습니까?"),
    // 14
    Long(u"Are you sure to print out?", u"印刷を実行しますか？", u"您要打印吗？",
         u"인쇄를 실행 하시겠습니까?"),
    // 15
    Long(u"code : 80\r\nFile Open error. Please check the file.",
         u"code : 80\r\nファイル入力エラーです。ファイルを確認してください。",
         u"code : 80\r\n导入时文件发生错误。请检查文件。",
         u"code : 80\r\n파일 입력 오류. 파일을 확인하세요."),
    // 16
    Long(u"code : 81\r\nFile Read error. Please check the file.",
         u"code : 81\r\nファイル読込エラーです。ファイルを確認してください。",
         u"code : 81\r\n导入时文件发生错误。请检查文件。",
         u"code : 81\r\n파일 입력 오류. 파일을 확인하세요."),
};

static_assert(std::size(kRows) == kMessageCount);

} // namespace

const std::span<const LongRow> kMessageRows{kRows};

} // namespace qm::text_data
