#include "settings/ConfigurationWriter.h"

#include "settings/ModelTable.h"

#include <array>

namespace qm {
namespace {

constexpr std::u16string_view kSeparator = u"\t:\t";
constexpr std::u16string_view kLineEnd = u"\r\n";
constexpr std::u16string_view kEnd = u"END\r\n";

void Line(std::u16string& out, std::u16string_view key, std::u16string_view value) {
    out += key;
    out += kSeparator;
    out += value;
    out += kLineEnd;
}

// The entries whose state a receive keeps (the Easy page's settings).
constexpr std::array<int, 6> kKeptOnReset = {
    entry::kPrintMethod, entry::kContinuousMediaLength, entry::kVerticalPosition,
    entry::kMediaSensor, entry::kFunctionSelect,        entry::kPaperPosition,
};

void Empty(SettingValue& item) {
    item.ticked = 0;
    item.value.clear();
    item.second.clear();
    item.error = 0;
}

} // namespace

ConfigurationWriter::ConfigurationWriter(const SettingsOptions& options) : options_(options) {}

void ConfigurationWriter::WriteConfiguration(SettingsRecord& record, int forPrinter) const {
    const int count = options_.advancedUnlocked ? SettingsRecord::kWritableEntryCount
                                                : SettingsRecord::kStandardEntryCount;
    std::u16string& out = record.text;
    for (int e = 0; e < count; ++e) {
        const SettingEntry& en = record.Entry(e);
        const SettingValue& item = *en.item;
        if (!item.ticked) {
            continue;
        }
        switch (e) {
        case entry::kEmulationSelect:
            if (item.value == u"EPI2" && ModelTable::OffersEltronEmulation(record.modelIndex)) {
                Line(out, u"MACHINE EMULATION CODE", u"CODE_EPL");
            } else if (item.value == u"ZPI2") {
                Line(out, u"MACHINE EMULATION CODE", u"CODE_ZEBRA");
            } else {
                Line(out, u"MACHINE EMULATION CODE", u"CODE_KORVANE");
                Line(out, u"EMULATION SELECT", item.value);
            }
            continue;
        case entry::kGlobalConfig:
            Line(out, en.key, item.value);
            out += u"LOADMACRO";
            out += kLineEnd;
            continue;
        case entry::kDoubleHeatMenu:
            Line(out, en.key, item.value);
            Line(out, u"DOUBLE HEAT", item.value);
            continue;
        case entry::kHeadCheckStartPos:
        case entry::kHeadCheckStopPos:
            out += en.key;
            out += kSeparator;
            out += en.extra;
            out += u'\t';
            out += item.value;
            out += kLineEnd;
            continue;
        case entry::kUsbSerialNumber:
            Line(out, en.key, item.second);
            if (item.second.find(u"ON") != std::u16string::npos && !item.value.empty()) {
                Line(out, u"SERIAL NUMBER", item.value);
            }
            continue;
        case entry::kStandbyMode:
            Line(out,
                 ModelTable::UsesLcdStandbyKey(record.modelIndex) ? u"LCD STANDBY"
                                                                  : u"STANDBY MODE",
                 item.value);
            continue;
        default:
            break;
        }
        std::u16string_view key = en.key;
        if (forPrinter && e >= entry::kFirstRfid && e <= entry::kLastRfid) {
            key = en.alternativeKey;
        } else if (options_.fixReflectKeys && e == entry::kFixReflectSensorPosition) {
            key = u"FIX REFLECT SENSOR POSITION";
        } else if (options_.fixReflectKeys && e == entry::kFixReflectSensor) {
            key = u"FIX REFLECT SENSOR";
        }
        out += key;
        out += kSeparator;
        out += item.value;
        if (!item.second.empty()) {
            out += u'\t';
            out += item.second;
        }
        out += en.extra;
        out += kLineEnd;
    }
    out += kEnd;
}

int ConfigurationWriter::WriteRequest(SettingsRecord& record, RequestKind kind, int statusVariant) {
    std::u16string& out = record.text;
    out.clear();
    switch (kind) {
    case RequestKind::kEasy:
    case RequestKind::kStandard:
        out = u"SEND CONFIG\t:\tSTANDARD\r\nEXIT\r\n";
        return 1;
    case RequestKind::kAdvanced:
        out = u"SEND CONFIG\t:\tADVANCED\r\nEXIT\r\n";
        return 1;
    case RequestKind::kCounters:
        out = u"SERIAL NUMBER CHECK:\r\nPRINT COUNTER:\r\nSERVICE COUNTER:\r\nCUT COUNTER:\r\n"
              u"EXIT\r\n";
        return 1;
    case RequestKind::kAll:
        out = u"SEND CONFIG\t:\tALL\r\nEXIT\r\n";
        return 1;
    case RequestKind::kMachineInfo:
        out = u"SEND MACHINE INFO\r\nEXIT\r\n";
        return 1;
    case RequestKind::kStatus:
        switch (statusVariant) {
        case 0:
            out = u"\x01"
                  u"A";
            return 1;
        case 1:
            out = u"~HS\r\n";
            return 1;
        case 2:
            out = u"^ee\r\n";
            return 1;
        default:
            return 0;
        }
    }
    return 0;
}

int ConfigurationWriter::WriteRequest(SettingsRecord& record, int kind, int statusVariant) {
    if (kind < 0 || kind > static_cast<int>(RequestKind::kStatus)) {
        record.text.clear();
        return 0;
    }
    return WriteRequest(record, static_cast<RequestKind>(kind), statusVariant);
}

void ConfigurationWriter::WriteStandardRequest(SettingsRecord& record) {
    WriteRequest(record, RequestKind::kStandard);
}

void ConfigurationWriter::WriteSensorAdjustment(SettingsRecord& record) const {
    WriteConfiguration(record, 0);
    // The configuration always ends with "END\r\n".
    record.text.resize(record.text.size() - kEnd.size());
    record.text += u"AUTO CALIBRATION\r\nSAVE\r\nEND\r\n";
}

void ConfigurationWriter::ResetItems(SettingsRecord& record, ResetMode mode) {
    record.text.clear();
    if (mode == ResetMode::kAllButEasy) {
        for (int e = 0; e < SettingsRecord::kWritableEntryCount; ++e) {
            bool kept = false;
            for (int k : kKeptOnReset) {
                kept = kept || k == e;
            }
            if (!kept) {
                Empty(record.Item(e));
            }
        }
    } else if (mode == ResetMode::kWirelessKeys) {
        for (int e : entry::kSecrets) {
            Empty(record.Item(e));
        }
    }
}

} // namespace qm
