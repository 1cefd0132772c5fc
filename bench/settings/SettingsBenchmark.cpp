// Timings of the settings layer: parsing a full ALL reply and writing every entry.

#include "platform/Encoding.h"
#include "settings/ConfigurationWriter.h"
#include "settings/DisplayLists.h"
#include "settings/SettingsParser.h"

#include <benchmark/benchmark.h>

#include <string>

namespace qm {
namespace {

// A reply to "SEND CONFIG : ALL" from a printer of model 29 (every section present): the two
// lead-in lines, one line per menu setting, "END".
std::u16string FullAllReply() {
    std::string text = "~!!\r\n\x02\x1b~A\r\n";
    const char* lines[] = {"GLOBAL CONFIG\t:\tCONFIG SET 1",
                           "PRINT SPEED\t:\t6 IPS",
                           "PRINT DARKNESS\t:\t10",
                           "DARKNESS ADJUST\t:\t0",
                           "PRINT METHOD\t:\tTT",
                           "RIBBON WINDING DIRECTION\t:\tOUTSIDE",
                           "CONTINUOUS MEDIA LENGTH\t:\t4.00\tINCH",
                           "VERTICAL POSITION\t:\t0.00\tINCH",
                           "HORIZONTAL SHIFT\t:\t0.00\tINCH",
                           "VERTICAL IMAGE SHIFT\t:\t0.00\tINCH",
                           "AUTO SIDE SHIFT\t:\t0",
                           "SENSOR SELECT\t:\tFRONT FIXED SENSOR",
                           "MEDIA SENSOR\t:\tSEE THROUGH",
                           "TOP FORM SENSOR\t:\tOFF",
                           "TOP FORM LENGTH\t:\t1.38\tINCH",
                           "SMALL MEDIA ADJUSTMENT\t:\tOFF",
                           "SMALL MEDIA LENGTH\t:\t1.00\tINCH",
                           "SYMBOL SET\t:\tPC",
                           "SENSOR LEVEL\t:\t1.5\tV",
                           "PAPER END LEVEL\t:\t3.00\tV",
                           "ERROR REPORTING\t:\tON PRINTING",
                           "COVER OPEN SENSOR\t:\tON",
                           "BUZZER SELECT\t:\tALL",
                           "METRIC/INCH\t:\tINCH",
                           "MAX MEDIA LENGTH\t:\t10.00\tINCH",
                           "SETTINGS LOCK\t:\tOFF",
                           "KEYBOARD LOCK\t:\tOFF",
                           "STANDBY MODE\t:\tOFF",
                           "STANDBY TIMER\t:\t5",
                           "PAPER NEAR END STATUS\t:\tOFF",
                           "PAPER NEAR END ALARM\t:\tOFF",
                           "CONTROL CODE\t:\tSTD",
                           "MACHINE EMULATION CODE\t:\tCODE_KORVANE",
                           "EMULATION SELECT\t:\tDMI",
                           "EMULATION AUTO DETECT\t:\tOFF",
                           "MEDIA POWER UP\t:\tOFF",
                           "CI LOCK\t:\tOFF",
                           "AUTOCONFIGURE\t:\tOFF",
                           "FUNCTION SELECT\t:\tTEAR",
                           "CUTTER TYPE\t:\tSTANDARD",
                           "CUTTER ACTION\t:\tTHROUGH",
                           "REWINDER AUTO ONLINE\t:\tOFF",
                           "REWINDER AUTO ONLINE DELAY\t:\t2",
                           "REWINDER TORQUE\t:\t4",
                           "PEEL WAIT DELAY\t:\t0.1",
                           "PAPER POSITION\t:\t0.00\tINCH",
                           "FEED KEY ACTION\t:\tREPEAT SET",
                           "USB DEVICE CLASS\t:\tPRINTER",
                           "USB VCOM PROTOCOL\t:\tAUTO",
                           "USB 2 HIGH SPEED\t:\tON",
                           "IPV4 ADDRESS\t:\t192,168,0,20",
                           "IPV4 SUBNET MASK\t:\t255,255,255,0",
                           "IPV4 GATEWAY\t:\t192,168,0,1",
                           "IPV4 DHCP\t:\tOFF",
                           "HOST NAME\t:\tVexa Juniper",
                           "PORT NUMBER\t:\t9100",
                           "TIMEOUT\t:\t60",
                           "TIMEOUT ACTION\t:\tCLOSE ALL",
                           "SEND BUFFER DATA\t:\tENABLE",
                           "IPV6\t:\tON",
                           "IPV6 FIXED ADDRESS\t:\tOFF",
                           "IPV6 ADDRESS\t:\t254,128,0,0,0,0,0,0,2,1,3,255,254,4,5,6",
                           "IPV6 PREFIX LENGTH\t:\t64",
                           "IPV6 GATEWAY\t:\t0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0",
                           "RS-232C BAUD\t:\t9600",
                           "RS-232C PARITY\t:\tNONE",
                           "RS-232C LENGTH\t:\t8 BITS",
                           "RS-232C STOP BIT\t:\t1 BIT",
                           "RS-232C X-ON\t:\tYES",
                           "THROUGH SENSOR POSITION\t:\t0",
                           "REFLECT SENSOR POSITION\t:\t0",
                           "MACH TEAR POS\t:\t0",
                           "MACH CUT POS\t:\t0",
                           "MACH PEEL POS\t:\t0",
                           "MACH HOR POS\t:\t8",
                           "AUTOCAL MODE\t:\tON",
                           "SEE THROUGH SENSOR\t:\t1.2",
                           "REFLECT SENSOR\t:\t0.8",
                           "SEETHROUGH SENSITIVITY\t:\tMEDIUM",
                           "REFLECT SENSITIVITY\t:\tMEDIUM",
                           "ADJ THROUGH CAL LEVEL\t:\t2.30\tV",
                           "ADJ REFLECT CAL LEVEL\t:\t2.10\tV",
                           "ADJ SENSNONE CAL LEVEL\t:\t2.05\tV",
                           "DARKNESS RATE\t:\tHIGH",
                           "DOUBLE HEAT MENU\t:\tOFF",
                           "TT HOT HEATRATE ADJUST\t:\t0.0",
                           "TT COLD HEATRATE ADJUST\t:\t0.0",
                           "DT HOT HEATRATE ADJUST\t:\t0.0",
                           "DT COLD HEATRATE ADJUST\t:\t0.0",
                           "POWERON HEAD CHECK\t:\tON",
                           "HEAD CHECK START POS\t:\tDOT\t1",
                           "HEAD CHECK STOP POS\t:\tDOT\t848",
                           "RIBBON END DETECTION\t:\tNORMAL",
                           "TOP FORM SENSING\t:\tON",
                           "USB SERIAL NUMBER\t:\tON",
                           "SERIAL NUMBER\t:\tJ1234567",
                           "AUTO EXEC PRINT\t:\tOFF",
                           "CONFIG PRINT LAYOUT\t:\tSTANDARD",
                           "HEAD CLEAN MESSAGE\t:\t0",
                           "PRINT PREFERENCE\t:\tDARKNESS",
                           "TT HOT HEATRATE ADJUST 2\t:\t0.0",
                           "TT COLD HEATRATE ADJUST 2\t:\t0.0",
                           "DT HOT HEATRATE ADJUST 2\t:\t0.0",
                           "DT COLD HEATRATE ADJUST 2\t:\t0.0",
                           "HEAD CHECK PATTERN PRINT\t:\tOFF",
                           "HEAD CHECK PATTERN WIDTH\t:\t832",
                           "SNMP\t:\tON",
                           "HTML\t:\tON",
                           "ONLINE SETTING MODE\t:\tENABLE",
                           "END"};
    for (const char* line : lines) {
        text += line;
        text += "\r\n";
    }
    return Utf8ToUtf16(text);
}

void BM_ParseSettingsFullAllReply(benchmark::State& state) {
    const std::u16string reply = FullAllReply();
    SettingsParser parser(SettingsOptions::For(29, false));
    SettingsRecord record;
    record.modelIndex = 29;
    for (auto _ : state) {
        record.Clear();
        record.text = reply;
        parser.ParseSettings(record, 1);
        benchmark::DoNotOptimize(record.items.data());
    }
    int ticked = 0, errors = 0;
    for (const SettingValue& item : record.items) {
        ticked += item.ticked;
        errors += item.error;
    }
    state.counters["ticked"] = ticked;
    state.counters["errors"] = errors;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(reply.size()));
}
BENCHMARK(BM_ParseSettingsFullAllReply);

void BM_WriteConfigurationAll179(benchmark::State& state) {
    // Every writable entry ticked with a value in its sending form.
    const SettingsOptions options = SettingsOptions::For(29, false, true);
    SettingsRecord record;
    record.modelIndex = 29;
    for (int e = 0; e < SettingsRecord::kWritableEntryCount; ++e) {
        SettingValue& item = record.Item(e);
        item.ticked = 1;
        item.value = u"1";
        const auto list = DisplayLists::ForEntry(e, 29, options);
        if (!list.empty()) {
            item.value = list.front();
        }
        if (DisplayLists::FormOf(e) == EntryForm::kLength) {
            item.value = u"1.00";
            item.second = u"INCH";
        }
    }
    record.Item(entry::kUsbSerialNumber).second = u"ON";
    const ConfigurationWriter writer(options);
    size_t bytes = 0;
    for (auto _ : state) {
        record.text.clear();
        writer.WriteConfiguration(record, 1);
        bytes = record.text.size();
        benchmark::DoNotOptimize(record.text.data());
    }
    state.counters["chars"] = static_cast<double>(bytes);
}
BENCHMARK(BM_WriteConfigurationAll179);

} // namespace
} // namespace qm

BENCHMARK_MAIN();
