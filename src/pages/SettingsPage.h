#pragma once

#include "pages/PageItem.h"
#include "pages/PageOwner.h"
#include "pages/PageScroller.h"
#include "settings/SettingsOptions.h"
#include "settings/SettingsRecord.h"
#include "text/UiLanguage.h"
#include "ui/Dialog.h"

#include <map>
#include <span>
#include <string>
#include <vector>

namespace qm {

// How a page reacts to the keys and the mouse.
struct PageBehaviour {
    int scrollMax = 0;         // vertical scroll range 0..scrollMax with page 300; 0 = none
    bool wheel = false;        // the mouse wheel scrolls the page
    bool focusOnClick = false; // a click gives the page the keyboard focus
    // Esc is not swallowed by the page but handed on to the window that holds it (the
    // Information page); the page itself never closes on Esc, so its tab never goes blank.
    bool escapeToOwner = false;
    bool mapChoices = true; // CollectTicked maps the shown list text to the printer's text
};

// The common behaviour of the six tab pages: a child dialog inside the main window's tab control
// built from its template, with an item table that ties each setting to its controls. The
// framework operations work on the page's own item table in table order; the scrolling and key
// rules apply to every page as its PageBehaviour says.
class SettingsPage : public ui::Dialog {
public:
    SettingsPage(const ui::DialogTemplate& dialogTemplate, SettingsRecord& record,
                 std::span<const PageItemData> rows, const PageBehaviour& behaviour);

    void SetOwner(PageOwner* owner) { owner_ = owner; }
    PageOwner* Owner() const { return owner_; }

    // The interface language and the model the page currently follows.
    UiLanguage Language() const { return language_; }
    void SetLanguage(UiLanguage language) { language_ = language; }
    int ModelIndex() const { return modelIndex_; }
    // The parser/writer options for the page's model and language.
    SettingsOptions Options() const;

    // ---- framework operations ----
    // Every row's tick box ticked / unticked, enabled or not.
    void TickAll();
    void UntickAll();
    // Shows every row whose item is ticked in the record; false when any shown item carries an
    // error mark (its field is left empty and its caption turns red).
    bool FillFromSettings();
    // Writes every enabled, ticked row into its item (ticked := 1); true when at least one row
    // was collected. Unticked or disabled rows are not touched.
    bool CollectTicked();
    // False when any row with an enabled tick box is ticked in the record and marked bad.
    bool ValidateTicked();
    // Ticks every row whose item is ticked and shows the stored text in its text field.
    void ShowIncluded();
    // Availability by model and language rule, the page's model-dependent lists, then
    // RestoreDefaults.
    void ApplyModel(int modelIndex);
    // Every row back to the current model's defaults, unticked.
    void RestoreDefaults();
    // The number of RFID rows (the Standard page's eight RFID items, the Advanced page's last
    // two) whose tick box is ticked, enabled or not.
    int CountTickedRfid() const;

    // What the main window calls when the model changes (setting pages: ApplyModel).
    virtual void OnModelChange(int modelIndex) { ApplyModel(modelIndex); }
    // What the main window calls when the language changes: captions and language-dependent
    // lists in the new language.
    virtual void RefreshTexts(UiLanguage language);

    // ---- rows ----
    std::vector<PageItem>& Items() { return items_; }
    const std::vector<PageItem>& Items() const { return items_; }
    // The row one of whose controls has this id (null when none).
    PageItem* ItemByControl(int id);
    // Index of a row in the table, -1 when none.
    int RowOf(const PageItem* item) const;

    // The page's own copy of each edit field's text, updated on every edit change.
    const std::u16string& FieldText(int editId) const;

    // ---- scrolling and focus ----
    const PageScroller& Scroller() const { return scroller_; }
    const PageBehaviour& Behaviour() const { return behaviour_; }
    bool HasKeyboardFocus() const { return keyboardFocus_; }
    void LoseKeyboardFocus() { keyboardFocus_ = false; }

protected:
    bool OnInitDialog() final;
    bool OnNotify(ui::Notification& n) override;

    // Page initialisation after the rows are bound: text limits, spin ranges, value and unit
    // lists, captions, scroll range. Pages extend it.
    virtual void InitPage();
    // Fills one row's value list (default: the catalogue's display list for the entry, else the
    // choices of the row's text entry in the page's language). A selection is kept: the same
    // entry where the new list has it, else the model's default entry.
    virtual void FillValueList(PageItem& item);
    // The entry a refilled value list selects (see FillValueList); -1 stays -1.
    int KeptSelection(const PageItem& item, int selected, const std::u16string& selectedText,
                      int countBefore);
    // Fills one row's unit list (the row's unit texts, else INCH, MM), keeping its selection.
    void FillUnitList(PageItem& item);
    // The page's model-dependent lists (ApplyModel, before RestoreDefaults).
    virtual void AdjustModelLists(int /*modelIndex*/) {}
    // The spin range Restore Defaults sets for a row on a model.
    virtual void DefaultSpinRange(const PageItem& item, int modelIndex, int& lo, int& hi) const;
    // The text a collected list selection stores into `value`.
    virtual std::u16string CollectedChoice(const PageItem& item, int index,
                                           const std::u16string& shown) const;
    // Enter on the page (the dialog's OK action): presses Send Configuration.
    virtual void OnEnterKey();
    // Notifications the framework did not take.
    virtual bool OnPageNotify(ui::Notification& /*n*/) { return false; }
    // A unit list changed: the row's text field gets its reset text for the new unit.
    virtual void OnUnitChanged(PageItem& item);
    // Runs first in RestoreDefaults (page-wide defaults such as the Easy page's media type).
    virtual void BeforeRestoreDefaults() {}
    // Run first and last in FillFromSettings (lists that follow received values, texts shown
    // beside the rows).
    virtual void BeforeFill() {}
    virtual void AfterFill() {}
    // Enables or disables every row by the current model and language rule.
    void ApplyAvailability();
    // Every value list and unit list filled again in the page's language and for its model,
    // each keeping its selected index.
    void RefillLists();

    SettingsRecord& Record() { return record_; }
    void SetModelIndex(int modelIndex) { modelIndex_ = modelIndex; }

private:
    void BindItems();
    void ScrollBy(int delta);
    bool IsRowEnabled(const PageItem& item) const;

    SettingsRecord& record_;
    std::span<const PageItemData> rows_;
    PageBehaviour behaviour_;
    std::vector<PageItem> items_;
    std::map<int, std::u16string> fieldTexts_;
    PageScroller scroller_;
    PageOwner* owner_ = nullptr;
    UiLanguage language_ = UiLanguage::kEnglish;
    int modelIndex_ = 0;
    bool keyboardFocus_ = false;
};

} // namespace qm
