#pragma once

#include "text/UiLanguage.h"

#include <string_view>

namespace qm {

// Style bits of a message box, as the program combines them (0x10, 0x30, 0x40, 0x24, 0x34).
inline constexpr unsigned kMbOk = 0x00;
inline constexpr unsigned kMbYesNo = 0x04;
inline constexpr unsigned kMbIconError = 0x10;
inline constexpr unsigned kMbIconQuestion = 0x20;
inline constexpr unsigned kMbIconWarning = 0x30;
inline constexpr unsigned kMbIconInformation = 0x40;
inline constexpr unsigned kMbButtonMask = 0x0F;
inline constexpr unsigned kMbIconMask = 0xF0;

// The button a message box returns.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// The one way a message box reaches the user. ui::Host derives from it; the text layer's
// ShowMessage uses it so messages can be shown before any window exists.
class MessageBoxHost {
public:
    virtual ~MessageBoxHost() = default;
    virtual int MessageBox(std::u16string_view text, std::u16string_view caption,
                           unsigned style) = 0;
    // The interface language the program speaks: the GUI shows its own parts in it too (the
    // standard buttons of message boxes, file dialogs) and draws it in that language's fonts.
    virtual void UseLanguage(UiLanguage language) { language_ = language; }
    UiLanguage Language() const { return language_; }

private:
    UiLanguage language_ = UiLanguage::kEnglish;
};

} // namespace qm
