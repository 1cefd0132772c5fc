#pragma once

namespace qm::res {

// Control ids on the setting pages, by item-table row: the tick box of row r is kTickBase + r,
// its value list kListBase + r, and so on. Group boxes count up from kGroupBase.
inline constexpr int kGroupBase = 1000;
inline constexpr int kTickBase = 1100;
inline constexpr int kListBase = 1300;
inline constexpr int kUnitBase = 1500;
inline constexpr int kTextBase = 1700;
inline constexpr int kSpinBase = 1900;
inline constexpr int kAddressBase = 2100;
inline constexpr int kUnitLabelBase = 2300;

constexpr int TickId(int row) {
    return kTickBase + row;
}
constexpr int ListId(int row) {
    return kListBase + row;
}
constexpr int UnitId(int row) {
    return kUnitBase + row;
}
constexpr int FieldId(int row) {
    return kTextBase + row;
}
constexpr int SpinId(int row) {
    return kSpinBase + row;
}
constexpr int AddressId(int row) {
    return kAddressBase + row;
}
constexpr int UnitLabelId(int row) {
    return kUnitLabelBase + row;
}

// Every page lies in the tab control's area, 600 x 455 pixels (the main window places it); the
// template size is that area in dialog units at the renderer's base units (7 x 14).
inline constexpr int kPageWidth = 342;
inline constexpr int kPageHeight = 260;

} // namespace qm::res
