#include "qt/InterfaceLanguage.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QStringList>

namespace qm::qt {

namespace {

// The font families per language, first choice first. Liberation Sans has Arial's widths;
// Arimo is the same design under another name. Each CJK face comes first for its own
// language, so that its glyph heights are the ones measured.
QStringList FamiliesFor(UiLanguage language) {
    const QString latin = QStringLiteral("Liberation Sans");
    const QString latinAlias = QStringLiteral("Arimo");
    switch (language) {
    case UiLanguage::kJapanese:
        return {QStringLiteral("Noto Sans CJK JP"), latin, latinAlias};
    case UiLanguage::kChinese:
        return {QStringLiteral("Noto Sans CJK SC"), latin, latinAlias};
    case UiLanguage::kKorean:
        return {QStringLiteral("Noto Sans CJK KR"), latin, latinAlias};
    case UiLanguage::kEnglish:
        break;
    }
    return {latin, latinAlias, QStringLiteral("Noto Sans CJK JP")};
}

} // namespace

QFont InterfaceLanguage::FontFor(UiLanguage language) {
    QFont font = QApplication::font();
    font.setFamilies(FamiliesFor(language));
    font.setPixelSize(kFontPixels);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    return font;
}

QString InterfaceLanguage::TranslationName(UiLanguage language) {
    switch (language) {
    case UiLanguage::kJapanese:
        return QStringLiteral("qtbase_ja");
    case UiLanguage::kChinese:
        return QStringLiteral("qtbase_zh_CN");
    case UiLanguage::kKorean:
        return QStringLiteral("qtbase_ko");
    case UiLanguage::kEnglish:
        break;
    }
    return QString();
}

QString InterfaceLanguage::TranslationFolder() {
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

bool InterfaceLanguage::Apply(UiLanguage language) {
    current_ = language;
    if (installed_) {
        QCoreApplication::removeTranslator(&translator_);
        installed_ = false;
    }
    bool ok = true;
    const QString name = TranslationName(language);
    if (!name.isEmpty()) {
        ok = translator_.load(name, TranslationFolder());
        if (ok) {
            installed_ = QCoreApplication::installTranslator(&translator_);
        }
    }
    QApplication::setFont(FontFor(language));
    return ok;
}

} // namespace qm::qt
