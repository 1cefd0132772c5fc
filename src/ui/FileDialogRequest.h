#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace qm::ui {

class Dialog;

// File dialog options (the classic flag values).
inline constexpr uint32_t kOfnOverwritePrompt = 0x00000002; // ask before overwriting
inline constexpr uint32_t kOfnHideReadOnly = 0x00000004;    // no read-only box
inline constexpr uint32_t kOfnPathMustExist = 0x00000800;
inline constexpr uint32_t kOfnFileMustExist = 0x00001000;
inline constexpr uint32_t kOfnDontAddToRecent = 0x02000000;

// What an open or save file dialog is asked to show.
struct FileDialogRequest {
    bool save = false;       // save dialog (else open)
    Dialog* owner = nullptr; // owning window (may be null)
    // The filter cell: description and pattern strings alternating, each ending with a NUL,
    // the list ending with an empty string, e.g. u"PRN Files (*.prn)\0*.prn\0All Files
    // (*.*)\0*.*\0" (a u16string built with its length). Text after the first empty string is
    // ignored.
    std::u16string filter;
    int filterIndex = 1;             // 1-based pattern pair chosen at first
    std::u16string defaultExtension; // appended (with a dot) when the typed name has none
    // Folder the dialog starts in; a trailing "." or "/." is allowed ("/home/u/labels/.").
    std::u16string initialFolder;
    uint32_t options = 0; // kOfn... bits
    size_t maxPath = 260; // longest path accepted, NUL included
};

// What the user chose.
struct FileDialogResult {
    std::u16string path; // full path with "/" separators
    int filterIndex = 1; // 1-based pair in use when the user confirmed
};

} // namespace qm::ui
