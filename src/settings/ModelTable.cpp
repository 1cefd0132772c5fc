#include "settings/ModelTable.h"

#include "platform/Encoding.h"

#include <array>

namespace qm {
namespace {

using F = ModelFamily;
using V = ModelVariant;

// Zebra and Eltron rows keep the stem of their display name; the registered sign and
// " Emulation)" are appended when the name is built.
constexpr std::array<PrinterModel, kModelCount> kModels = {{
    {0, "Vexa Alder", F::kAlder, V::kNative, ""},
    {1, "Vexa Alder (Zebra", F::kAlder, V::kZebra, ""},
    {2, "Vexa Alder Plus", F::kAlderPlus, V::kNative, "Vexa Alder Plus Print Server"},
    {3, "Vexa Alder Plus (Zebra", F::kAlderPlus, V::kZebra, "Vexa Alder Plus Zebra Print Server"},
    {4, "Vexa Alder Plus (Eltron", F::kAlderPlus, V::kEltron,
     "Vexa Alder Plus Eltron Print Server"},
    {5, "Vexa Birch", F::kBirch, V::kNative, ""},
    {6, "Vexa Birch (Zebra", F::kBirch, V::kZebra, ""},
    {7, "Vexa Birch Plus", F::kBirchPlus, V::kNative, ""},
    {8, "Vexa Birch Plus (Zebra", F::kBirchPlus, V::kZebra, ""},
    {9, "Vexa Birch Plus (Eltron", F::kBirchPlus, V::kEltron, ""},
    {10, "Vexa Cedar", F::kCedar, V::kNative, ""},
    {11, "Vexa Cedar (Zebra", F::kCedar, V::kZebra, ""},
    {12, "Vexa Cedar Plus", F::kCedarPlus, V::kNative, ""},
    {13, "Vexa Cedar Plus (Zebra", F::kCedarPlus, V::kZebra, ""},
    {14, "Vexa Cedar Plus (Eltron", F::kCedarPlus, V::kEltron, ""},
    {15, "Vexa Dogwood", F::kDogwood, V::kNative, ""},
    {16, "Vexa Dogwood (Zebra", F::kDogwood, V::kZebra, ""},
    {17, "Vexa Dogwood Plus", F::kDogwoodPlus, V::kNative, ""},
    {18, "Vexa Dogwood Plus (Zebra", F::kDogwoodPlus, V::kZebra, ""},
    {19, "Vexa Dogwood Plus (Eltron", F::kDogwoodPlus, V::kEltron, ""},
    {20, "Vexa Elm", F::kElm, V::kNative, ""},
    {21, "Vexa Elm (Zebra", F::kElm, V::kZebra, ""},
    {22, "Vexa Fir", F::kFir, V::kNative, ""},
    {23, "Vexa Fir (Zebra", F::kFir, V::kZebra, ""},
    {24, "Vexa Gorse", F::kGorse, V::kNative, "Vexa Gorse Print Server"},
    {25, "Vexa Gorse (Zebra", F::kGorse, V::kZebra, "Vexa Gorse Zebra Print Server"},
    {26, "Vexa Hawthorn", F::kHawthorn, V::kNative, "Vexa Hawthorn Print Server"},
    {27, "Vexa Hawthorn (Zebra", F::kHawthorn, V::kZebra, "Vexa Hawthorn Zebra Print Server"},
    {28, "Vexa Hawthorn (Eltron", F::kHawthorn, V::kEltron, "Vexa Hawthorn Eltron Print Server"},
    {29, "Vexa Juniper", F::kJuniper, V::kNative, "Vexa Juniper Print Server"},
    {30, "Vexa Juniper (Zebra", F::kJuniper, V::kZebra, "Vexa Juniper Zebra Print Server"},
    {31, "Vexa Juniper (Eltron", F::kJuniper, V::kEltron, "Vexa Juniper Eltron Print Server"},
    {32, "Vexa Larch", F::kLarch, V::kNative, ""},
    {33, "Vexa Larch (Zebra", F::kLarch, V::kZebra, ""},
    {34, "Vexa Larch (Eltron", F::kLarch, V::kEltron, ""},
    {35, "Vexa Maple", F::kMaple, V::kNative, ""},
    {36, "Vexa Maple (Zebra", F::kMaple, V::kZebra, ""},
    {37, "Vexa Maple (Eltron", F::kMaple, V::kEltron, ""},
}};

constexpr char16_t kEmulationSuffix[] = u"\u00AE Emulation)";

bool In(int model, int first, int last) {
    return model >= first && model <= last;
}

F FamilyOf(int model) {
    return ModelTable::Row(model).family;
}

} // namespace

const PrinterModel& ModelTable::Row(int model) {
    return kModels[IsValid(model) ? model : 0];
}

std::u16string ModelTable::DisplayName(int model) {
    const PrinterModel& row = Row(model);
    std::u16string name = Utf8ToUtf16(row.stem);
    if (row.variant != V::kNative) {
        name += kEmulationSuffix;
    }
    return name;
}

int ModelTable::FindByDisplayName(std::u16string_view name) {
    for (int m = 0; m < kModelCount; ++m) {
        if (DisplayName(m) == name) {
            return m;
        }
    }
    return -1;
}

std::u16string ModelTable::PrintServerName(int model) {
    return Utf8ToUtf16(Row(model).printServerName);
}

bool ModelTable::IsEltronVariant(int model) {
    return IsValid(model) && Row(model).variant == V::kEltron;
}

bool ModelTable::OffersEltronEmulation(int model) {
    // Every family that has an Eltron variant offers the choice on all of its variants.
    switch (FamilyOf(model)) {
    case F::kAlderPlus:
    case F::kBirchPlus:
    case F::kCedarPlus:
    case F::kDogwoodPlus:
    case F::kHawthorn:
    case F::kJuniper:
    case F::kLarch:
    case F::kMaple:
        return IsValid(model);
    default:
        return false;
    }
}

bool ModelTable::UsesLcdStandbyKey(int model) {
    return IsValid(model) && FamilyOf(model) == F::kGorse;
}

bool ModelTable::HasLongStandbyTimer(int model) {
    return IsValid(model) && FamilyOf(model) == F::kAlder;
}

bool ModelTable::HasHighPaperEndLevel(int model) {
    return In(model, 24, 37);
}

bool ModelTable::HasLengthVerticalImageShift(int model) {
    // The native variant of every family.
    return IsValid(model) && Row(model).variant == V::kNative;
}

HeadCheckRanges ModelTable::HeadCheckRangesFor(int model) {
    if (In(model, 20, 23)) {
        return {1, 1344, 1345, 1984};
    }
    if (In(model, 32, 37)) {
        return {1, 832, 1, 1240};
    }
    return {1, 848, 1, 1264};
}

bool ModelTable::AllowsRewind(int model) {
    return In(model, 15, 19);
}

int ModelTable::MaxPrintSpeedCode(int model, int printMethodCode, bool japaneseInterface) {
    constexpr int k4Ips = 2, k6Ips = 4, k8Ips = 6, k10Ips = 8;
    if (In(model, 15, 19)) {
        return k10Ips;
    }
    if (In(model, 10, 14)) {
        return printMethodCode == 1 ? k6Ips : k4Ips; // 1 = DT, 0 = TT
    }
    if (In(model, 22, 23)) {
        return k4Ips;
    }
    if (In(model, 24, 25)) {
        return japaneseInterface ? k6Ips : k8Ips;
    }
    if (In(model, 2, 4) || In(model, 26, 37)) {
        return k8Ips;
    }
    return k6Ips; // 0, 1, 5-9, 20, 21
}

bool ModelTable::PrintSpeedFollowsPrintMethod(int model) {
    return In(model, 10, 14);
}

bool ModelTable::OffersBuzzerOnOff(int model) {
    return !In(model, 26, 37);
}

RibbonEndRule ModelTable::RibbonEndRuleFor(int model) {
    if (In(model, 10, 14) || In(model, 20, 23)) {
        return RibbonEndRule::kIndexIsCode;
    }
    if (In(model, 15, 19) || In(model, 24, 37)) {
        return RibbonEndRule::kQuickIsBad;
    }
    return RibbonEndRule::kSlowShowsAsFirst; // 0-9
}

bool ModelTable::RibbonEndOffersQuick(int model) {
    return In(model, 10, 14) || In(model, 20, 23);
}

bool ModelTable::HasWideTtColdHeatrate(int model) {
    return In(model, 29, 31) || In(model, 35, 37);
}

bool ModelTable::UsesFixReflectKeys(int model, bool japaneseInterface) {
    return model == 0 && japaneseInterface;
}

bool ModelTable::FollowsLanguageRule(int model) {
    return In(model, 0, 6) || In(model, 10, 11) || In(model, 15, 16) || In(model, 20, 23);
}

} // namespace qm
