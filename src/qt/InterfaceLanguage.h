#pragma once

#include "text/UiLanguage.h"

#include <QFont>
#include <QString>
#include <QTranslator>

namespace qm::qt {

// What the interface language changes in Qt's own parts: the application font (the dialog
// layouts were drawn for a font with Arial's widths, 12 pixels; Japanese, Chinese and Korean
// are drawn in their own Noto CJK face so that the measured line height is the drawn one) and
// Qt's translations of its standard buttons and dialogs (qtbase_*.qm of the distribution).
class InterfaceLanguage {
public:
    // Pixel size of the dialog font in every language.
    static constexpr int kFontPixels = 12;

    // The font the windows are drawn in for a language.
    static QFont FontFor(UiLanguage language);
    // The name of Qt's translation for a language ("qtbase_ja"); empty for English.
    static QString TranslationName(UiLanguage language);
    // The folder Qt's translations are read from (the distribution's, where Qt looks).
    static QString TranslationFolder();

    // Makes language the application's: its font, and Qt's translation installed (the previous
    // one removed). False when the translation for a language other than English is missing.
    bool Apply(UiLanguage language);
    UiLanguage Current() const { return current_; }

private:
    QTranslator translator_;
    bool installed_ = false;
    UiLanguage current_ = UiLanguage::kEnglish;
};

} // namespace qm::qt
