#pragma once

#include <string>
#include <string_view>

namespace qm {

// The 38 printer models. A model is identified by its index 0..37: the position in the main
// window's model list and the row of every per-model rule. Every model-dependent rule of the
// settings layer is one of the named predicates below; nothing else in the program keeps its
// own list of model indices for these properties.

inline constexpr int kModelCount = 38;

enum class ModelFamily {
    kAlder,
    kAlderPlus,
    kBirch,
    kBirchPlus,
    kCedar,
    kCedarPlus,
    kDogwood,
    kDogwoodPlus,
    kElm,
    kFir,
    kGorse,
    kHawthorn,
    kJuniper,
    kLarch,
    kMaple,
};

enum class ModelVariant {
    kNative,
    kZebra,  // Zebra emulation
    kEltron, // Eltron emulation
};

// One row of the model table (constant data).
struct PrinterModel {
    int index;
    std::string_view stem; // display name, or its stem ending in "(Zebra" / "(Eltron"
    ModelFamily family;
    ModelVariant variant;
    std::string_view printServerName; // empty for most models
};

// How "RIBBON END DETECTION" codes map to the page's list index (reply transfer).
enum class RibbonEndRule {
    kIndexIsCode,      // list QUICK, NORMAL, SLOW
    kQuickIsBad,       // list NORMAL, SLOW: index = code - 1, QUICK is rejected (15-19,
                       // 24-37, also 26-28 and 32-34, which do not show the item)
    kSlowShowsAsFirst, // models 0-9, which do not show the item; the parser
                       // keeps index = code there with the full list, so that a received
                       // "SLOW" is never sent back as "QUICK"
};

// Head-check dot ranges ("HEAD CHECK START POS" / "HEAD CHECK STOP POS").
struct HeadCheckRanges {
    int firstMin, firstMax;
    int secondMin, secondMax;
};

class ModelTable {
public:
    // The row of a model; index must be 0..37 (out-of-range indices give row 0).
    static const PrinterModel& Row(int model);
    static bool IsValid(int model) { return model >= 0 && model < kModelCount; }

    // The name shown in the model list, e.g. u"Vexa Alder (Zebra\u00AE Emulation)".
    static std::u16string DisplayName(int model);
    // Finds a model by its display name (exact, UTF-16); -1 when none matches.
    static int FindByDisplayName(std::u16string_view name);
    static std::u16string PrintServerName(int model);

    // --- per-model properties -------------------------------------------------------------
    // Eltron-emulation variant: "PRINT DARKNESS" 0..15 instead of 0..30
    // (models 4, 9, 14, 19, 28, 31, 34, 37).
    static bool IsEltronVariant(int model);
    // Offers the Eltron emulation choice "EPI2" in Emulation Select (written as CODE_EPL;
    // list index = code + 1): 2-4, 7-9, 12-14, 17-19, 26-37.
    static bool OffersEltronEmulation(int model);
    // Standby key is "LCD STANDBY" (read and written): 24, 25.
    static bool UsesLcdStandbyKey(int model);
    // "STANDBY TIMER" up to 1440 (others 99): 0, 1.
    static bool HasLongStandbyTimer(int model);
    // "PAPER END LEVEL" up to 330 (others 300): 24-37.
    static bool HasHighPaperEndLevel(int model);
    // "VERTICAL IMAGE SHIFT" is a length (others a whole number -120..120):
    // 0, 2, 5, 7, 10, 12, 15, 17, 20, 22, 24, 26, 29, 32, 35.
    static bool HasLengthVerticalImageShift(int model);
    // Head-check ranges by model (20-23: 1..1344 / 1345..1984; 32-37: 1..832 / 1..1240;
    // others 1..848 / 1..1264).
    static HeadCheckRanges HeadCheckRangesFor(int model);
    // "FUNCTION SELECT" "REWIND" allowed, paper position 0..508 / 0..200 with rewind: 15-19.
    static bool AllowsRewind(int model);
    // Highest good "PRINT SPEED" code (0 = 2 IPS ... 8 = 10 IPS). printMethodCode is the
    // "PRINT METHOD" code (0 TT, 1 DT) and matters on 10-14; japaneseInterface matters on
    // 24 and 25.
    static int MaxPrintSpeedCode(int model, int printMethodCode, bool japaneseInterface);
    // Whether the print speed limit depends on the print method (10-14).
    static bool PrintSpeedFollowsPrintMethod(int model);
    // "BUZZER SELECT" offers "ON"/"OFF" (codes 5, 6); false on 26-37, where codes above 4
    // are rejected and the list has five entries.
    static bool OffersBuzzerOnOff(int model);
    static RibbonEndRule RibbonEndRuleFor(int model);
    // The Ribbon End Detection list holds "QUICK" (10-14, 20-23).
    static bool RibbonEndOffersQuick(int model);
    // "TT COLD HEATRATE ADJUST" accepted up to +-2.0 instead of +-1.0 (29-31, 35-37).
    static bool HasWideTtColdHeatrate(int model);
    // Entries 117/128 are written (and read) with the keys "FIX REFLECT SENSOR POSITION" and
    // "FIX REFLECT SENSOR": model 0 with the Japanese interface, the one model whose Japanese
    // menu has a fixed reflect sensor beside the ordinary one.
    static bool UsesFixReflectKeys(int model, bool japaneseInterface);
    // The pages' language rule (Japanese-only / not-in-Japanese rows) applies to these models:
    // 0-6, 10, 11, 15, 16, 20-23.
    static bool FollowsLanguageRule(int model);
};

} // namespace qm
