#include "operations/ModelDetection.h"

#include "settings/ModelTable.h"

#include <cctype>

namespace qm {
namespace {

// What separates a family's base name from a variant's "(Zebra" or "(Eltron" in a stem.
constexpr std::string_view kVariantOpening = " (";

// The printer's command-language names and the variant each one selects.
struct LanguageVariant {
    std::string_view code;
    ModelVariant variant;
};
constexpr LanguageVariant kLanguageVariants[] = {
    {"CODE_ZEBRA", ModelVariant::kZebra},
    {"CODE_EPL", ModelVariant::kEltron},
    {"CODE_KORVANE", ModelVariant::kNative},
};

std::string_view Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

std::string_view FamilyName(const PrinterModel& row) {
    return row.stem.substr(0, row.stem.find(kVariantOpening));
}

ModelVariant VariantOfLanguage(std::string_view language) {
    for (const LanguageVariant& row : kLanguageVariants) {
        if (EqualIgnoringCase(Trimmed(language), row.code)) {
            return row.variant;
        }
    }
    return ModelVariant::kNative;
}

} // namespace

int ModelDetection::FromIdentity(const MachineIdentity& identity) {
    return FromNameAndLanguage(identity.model, identity.emulation);
}

int ModelDetection::FromNameAndLanguage(std::string_view name, std::string_view language) {
    name = Trimmed(name);
    if (name.empty()) {
        return kNoModel;
    }
    const ModelVariant wanted = VariantOfLanguage(language);
    int native = kNoModel;
    for (int model = 0; model < kModelCount; ++model) {
        const PrinterModel& row = ModelTable::Row(model);
        if (!EqualIgnoringCase(FamilyName(row), name)) {
            continue;
        }
        if (row.variant == wanted) {
            return model;
        }
        if (row.variant == ModelVariant::kNative && native == kNoModel) {
            native = model;
        }
    }
    return native;
}

} // namespace qm
