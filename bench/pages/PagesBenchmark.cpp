// Timings of the Standard and Advanced pages: filling both from a record in which every item
// is ticked, and a language change, of the two pages alone and of the whole main window (all
// six pages, the model-change processing included).

#include "app/COstrellApp.h"
#include "app/COstrellDlg.h"
#include "app/WindowServices.h"
#include "pages/CDlgTabAdvanced.h"
#include "pages/CDlgTabStandard.h"
#include "resources/EasyPageTemplate.h"
#include "resources/MainWindowTemplate.h"
#include "ui/ScriptedHost.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace qm {
namespace {

// The two pages inside a stand-in window, on model 29 (most rows on both pages).
struct TwoPages {
    TwoPages() {
        window.SetHost(&host);
        window.Create(nullptr);
        standard.Create(&window);
        advanced.Create(&window);
        standard.ApplyModel(kModel);
        advanced.ApplyModel(kModel);
        // Every row's value into the record, ticked: a full record.
        standard.TickAll();
        advanced.TickAll();
        standard.CollectTicked();
        advanced.CollectTicked();
        for (SettingValue& item : record.items) {
            item.ticked = 1;
        }
    }
    static constexpr int kModel = 29;
    ui::ScriptedHost host;
    ui::Dialog window{res::kEasyPageTemplate};
    SettingsRecord record;
    CDlgTabStandard standard{record};
    CDlgTabAdvanced advanced{record};
};

void BM_FillStandardAndAdvanced(benchmark::State& state) {
    TwoPages pages;
    for (auto _ : state) {
        pages.standard.UntickAll();
        pages.advanced.UntickAll();
        benchmark::DoNotOptimize(pages.standard.FillFromSettings());
        benchmark::DoNotOptimize(pages.advanced.FillFromSettings());
    }
}
BENCHMARK(BM_FillStandardAndAdvanced)->Unit(benchmark::kMicrosecond);

void BM_LanguageChangeOfBothPages(benchmark::State& state) {
    TwoPages pages;
    bool japanese = false;
    for (auto _ : state) {
        japanese = !japanese;
        const UiLanguage language = japanese ? UiLanguage::kJapanese : UiLanguage::kEnglish;
        pages.standard.RefreshTexts(language);
        pages.advanced.RefreshTexts(language);
    }
}
BENCHMARK(BM_LanguageChangeOfBothPages)->Unit(benchmark::kMicrosecond);

class NoServices : public WindowServices {
public:
    void FillLocalPortLists(std::vector<std::u16string>&, std::vector<std::u16string>&,
                            std::vector<std::u16string>&) override {}
    void ListQueues(std::vector<QueueRecord>&) override {}
    std::u16string DefaultPrinterName() override { return {}; }
    bool ResolveHostName(std::u16string_view, std::u16string&) override { return false; }
    std::string SerialDevicePath(std::u16string_view) override { return {}; }
};

void BM_LanguageChangeOfTheWindow(benchmark::State& state) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("qm-bench-pages-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    {
        ui::ScriptedHost host;
        NoServices services;
        COstrellApp app(host);
        app.SetIniFolder(folder.string());
        app.LoadPreferences();
        COstrellDlg window(app, host, services);
        app.SetMainWindow(&window);
        window.Create(nullptr);
        window.UserSelect(res::kIdModel, TwoPages::kModel);
        window.UserSelect(res::kIdLanguage, 1);
        if (window.Standard().GetItemText(res::TickId(1)) !=
            TextTable::Caption(TextId::kStdPrintSpeed, UiLanguage::kJapanese)) {
            state.SkipWithError("the language change did not reach the Standard page");
        }
        int language = 1;
        for (auto _ : state) {
            language = 1 - language;
            window.UserSelect(res::kIdLanguage, language);
        }
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}
BENCHMARK(BM_LanguageChangeOfTheWindow)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace qm

BENCHMARK_MAIN();
