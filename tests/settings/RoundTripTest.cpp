#include "SettingsTestSupport.h"
#include "settings/ConfigurationWriter.h"
#include "settings/DisplayLists.h"
#include "settings/EntrySource.h"
#include "settings/Frame.h"
#include "settings/ModelTable.h"
#include "settings/SettingCatalogue.h"
#include "settings/SettingsFile.h"
#include "settings/ValueConverter.h"
#include "settings/ValueText.h"

#include <gtest/gtest.h>

#include <random>

namespace qm {
namespace {

// Builds records the way the pages leave them before a send: a random selection of ticked
// items with valid values in their sending forms, for a random model and language.
class RecordGenerator {
public:
    explicit RecordGenerator(uint32_t seed) : random_(seed) {}

    SettingsRecord Make(int model, const SettingsOptions& options) {
        SettingsRecord record;
        record.modelIndex = model;
        // The print method first: it shapes the print speed list on some models.
        const int method = Pick(2);
        for (int e = 0; e < SettingsRecord::kWritableEntryCount; ++e) {
            if (Pick(3) != 0 && e != entry::kPrintMethod) {
                continue;
            }
            if (!Applies(e, model)) {
                continue;
            }
            SettingValue& item = record.Item(e);
            item.ticked = 1;
            Fill(e, item, model, options, method);
        }
        record.Item(entry::kPrintMethod).choice = method;
        record.Item(entry::kPrintMethod).value = method ? u"DT" : u"TT";
        // Twin entries read the same key back: keep them equal.
        for (auto [a, b] : {std::pair{114, 116}, {134, 140}, {135, 141}, {136, 142}, {125, 127}}) {
            CopyIfTicked(record, a, b);
        }
        if (!options.fixReflectKeys) {
            CopyIfTicked(record, 115, 117);
            CopyIfTicked(record, 126, 128);
        }
        return record;
    }

private:
    int Pick(int n) { return static_cast<int>(random_() % static_cast<uint32_t>(n)); }
    int Between(int lo, int hi) { return lo + Pick(hi - lo + 1); }

    static void CopyIfTicked(SettingsRecord& record, int a, int b) {
        if (record.Item(a).ticked || record.Item(b).ticked) {
            const SettingValue& from = record.Item(a).ticked ? record.Item(a) : record.Item(b);
            record.Item(a) = from;
            record.Item(b) = from;
        }
    }

    static bool Applies(int e, int model) {
        if (e == entry::kVerticalImageShiftLength) {
            return ModelTable::HasLengthVerticalImageShift(model);
        }
        if (e == entry::kVerticalImageShiftDots) {
            return !ModelTable::HasLengthVerticalImageShift(model);
        }
        return true;
    }

    std::u16string Text(size_t maxLength, bool upper) {
        const std::string chars = upper ? "ABCXYZ0189 -_.!#" : "abcXYZ019 -_.!#";
        std::string text;
        for (size_t n = static_cast<size_t>(Pick(static_cast<int>(maxLength) + 1)); n > 0; --n) {
            text.push_back(chars[static_cast<size_t>(Pick(static_cast<int>(chars.size())))]);
        }
        // No delimiter and no ";": the text stays one token.
        return U16(text);
    }

    void Fill(int e, SettingValue& item, int model, const SettingsOptions& options, int method) {
        const EntrySource source = EntrySource::Of(e, options.fixReflectKeys);
        switch (DisplayLists::FormOf(e)) {
        case EntryForm::kList: {
            const auto list = DisplayLists::ForEntry(e, model, options, method);
            item.choice = Pick(static_cast<int>(list.size()));
            item.value = list[static_cast<size_t>(item.choice)];
            return;
        }
        case EntryForm::kUsbSerial:
            item.choice = Pick(2);
            item.second = item.choice ? u"ON" : u"OFF";
            item.value = item.choice ? Text(32, true) : u"";
            return;
        case EntryForm::kIpv4:
            item.value = DisplayLists::Ipv4ForSending(U16(std::to_string(Pick(256)) + "." +
                                                          std::to_string(Pick(256)) + ".0." +
                                                          std::to_string(Pick(256))));
            return;
        case EntryForm::kIpv6: {
            std::u16string value;
            for (int i = 0; i < 16; ++i) {
                value += (i ? u"," : u"") + U16(std::to_string(Pick(256)));
            }
            item.value = value;
            return;
        }
        case EntryForm::kText: {
            const ValueItem& row = SettingCatalogue::ValueRows()[static_cast<size_t>(source.row)];
            item.value = Text(row.maxLength, row.text == TextRule::kPrintableUpper);
            return;
        }
        case EntryForm::kHeadCheck: {
            const HeadCheckRanges r = e == entry::kHeadCheckPatternWidth
                                          ? HeadCheckRanges{1, 832, 1, 1240}
                                          : ModelTable::HeadCheckRangesFor(model);
            const int n = Between(r.firstMin, r.secondMax);
            item.metric = n > r.firstMax ? 1 : 0;
            item.value = ValueText::Fixed(n, 0);
            return;
        }
        case EntryForm::kLength: {
            const ValueItem& row = SettingCatalogue::ValueRows()[static_cast<size_t>(source.row)];
            item.metric = Pick(2);
            ConversionContext ctx;
            ctx.model = model;
            NumericRange range = ValueConverter::RangeFor(row, item.metric != 0, ctx);
            if (row.rule == RangeRule::kPaperPosition) {
                range = item.metric ? NumericRange{0, 254} : NumericRange{0, 100};
            }
            item.value = ValueText::Fixed(Between(range.min, range.max), item.metric ? 1 : 2);
            item.second = item.metric ? u"MM" : u"INCH";
            return;
        }
        case EntryForm::kNumber: {
            if (e == entry::kVerticalImageShiftDots) {
                item.value = ValueText::Fixed(Between(-120, 120), 0);
                return;
            }
            const ValueItem& row = SettingCatalogue::ValueRows()[static_cast<size_t>(source.row)];
            ConversionContext ctx;
            ctx.model = model;
            ctx.ttColdHeatrateLimit = options.ttColdHeatrateLimit;
            const NumericRange range = ValueConverter::RangeFor(row, true, ctx);
            switch (row.convert) {
            case ConvertKind::kCounter:
                item.value = ValueText::Fixed(Between(0, 9999999), 0);
                return;
            case ConvertKind::kOneDecimal:
                item.value = ValueText::Fixed(Between(range.min, range.max), 1);
                return;
            case ConvertKind::kVoltage:
                item.value = ValueText::Fixed(Between(range.min, range.max), 2);
                return;
            case ConvertKind::kLength: // SENSOR LEVEL, in tenths of a volt
                item.value = ValueText::Fixed(Between(range.min, range.max), 1);
                return;
            default:
                item.value = ValueText::Fixed(Between(range.min, range.max), 0);
                return;
            }
        }
        case EntryForm::kInformation:
            return;
        }
    }

    std::mt19937 random_;
};

// Export then import gives back every ticked item with the same value, over many records.
TEST(RoundTrip, ExportedRecordsImportUnchanged) {
    RecordGenerator generator(2024);
    std::mt19937 random(7);
    SettingsParser parser;
    int compared = 0;
    for (int round = 0; round < 400; ++round) {
        const int model = static_cast<int>(random() % kModelCount);
        const bool japanese = random() % 3 == 0;
        const SettingsOptions options = SettingsOptions::For(model, japanese, true);
        parser.SetOptions(options);
        SettingsRecord original = generator.Make(model, options);

        // Export: write, validate, frame.
        SettingsRecord exported = original;
        exported.text.clear();
        ConfigurationWriter(options).WriteConfiguration(exported, 0);
        parser.ParseSettings(exported, 0);
        for (int e = 0; e < SettingsRecord::kEntryCount; ++e) {
            ASSERT_EQ(exported.Item(e).error, 0) << "model " << model << " entry " << e << " value "
                                                 << Utf16ToUtf8(exported.Item(e).value) << "\n"
                                                 << Utf16ToUtf8(exported.text);
        }
        const Frame frame = FrameForSending(exported.text);
        if (frame.result != FrameResult::kOk) {
            continue; // too many long texts for one send buffer
        }

        // Import.
        SettingsRecord imported;
        imported.modelIndex = model;
        const ImportedText text = SettingsFile::ImportBytes(frame.bytes);
        ASSERT_EQ(text.result, FileResult::kOk);
        imported.text = text.text;
        parser.ParseSettings(imported, 1);
        ++compared;
        DisplayLists::MakeSendReady(imported, options);

        for (int e = 0; e < SettingsRecord::kWritableEntryCount; ++e) {
            const SettingValue& want = original.Item(e);
            if (!want.ticked) {
                continue;
            }
            const SettingValue& got = imported.Item(e);
            SCOPED_TRACE("model " + std::to_string(model) + " entry " + std::to_string(e) + " " +
                         std::string(SettingsRecord::EntryKey(e)));
            EXPECT_EQ(got.ticked, 1);
            EXPECT_EQ(got.error, 0);
            EXPECT_EQ(Utf16ToUtf8(got.value), Utf16ToUtf8(want.value));
            const EntryForm form = DisplayLists::FormOf(e);
            if (form == EntryForm::kLength || form == EntryForm::kUsbSerial) {
                EXPECT_EQ(Utf16ToUtf8(got.second), Utf16ToUtf8(want.second));
            }
            if (form == EntryForm::kList || form == EntryForm::kUsbSerial) {
                EXPECT_EQ(got.choice, want.choice);
            }
            if (form == EntryForm::kHeadCheck || form == EntryForm::kLength) {
                EXPECT_EQ(got.metric, want.metric);
            }
        }
    }
    EXPECT_GT(compared, 300);
}

} // namespace
} // namespace qm
