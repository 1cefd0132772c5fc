#pragma once

namespace qm {

// Which catalogue row fills an entry of the record (and so which form its value has).
struct EntrySource {
    enum class Table { kNone, kEnumerated, kValue, kRfidCalibration };
    Table table = Table::kNone;
    int row = -1;

    // The entry's source row. Entries 117/128 read "FIX REFLECT SENSOR POSITION" /
    // "FIX REFLECT SENSOR" when fixReflectKeys is set; entry 155 is the "USB SERIAL NUMBER"
    // choice (its serial number comes from the "SERIAL NUMBER" value row).
    static EntrySource Of(int entryIndex, bool fixReflectKeys);
};

} // namespace qm
