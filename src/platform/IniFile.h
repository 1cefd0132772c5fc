#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// A private profile ("ini") file: "[section]" lines followed by "key=value" lines.
//
// Reading: a file that starts with the UTF-16LE byte-order mark is read as UTF-16LE, one with the
// UTF-16BE mark as UTF-16BE, anything else as UTF-8 (with or without its mark). Section and key
// names match without regard to ASCII letter case; the first matching section and the first
// matching key in it win. Values lose surrounding blanks and tabs, and one pair of matching
// quotes ('..' or "..") around the whole value.
//
// Writing: only the line of the written key changes (or one line is added at the end of its
// section, or a new section at the end of the file); every other line keeps its exact bytes,
// and the file keeps its encoding and line-end style (a UTF-16 file with an odd number of bytes
// keeps that undecodable last byte as its last byte, after any added line). A file that does not
// exist is created as UTF-16LE with the byte-order mark and CR LF line ends. Every write replaces
// the whole file atomically (a temporary file in the same folder, flushed, then renamed over the
// old one), so a crash never leaves a half-written profile. A symbolic link is followed and its
// target replaced.
//
// The file is read afresh for every call; nothing is cached between calls.
class IniFile {
public:
    explicit IniFile(std::string path);

    const std::string& Path() const { return path_; }
    bool Exists() const;

    // The value of key in section. False (and value untouched) when the file, the section or the
    // key is missing or the file cannot be read.
    bool Read(std::u16string_view section, std::u16string_view key, std::u16string& value) const;

    // The value, or fallback when Read fails. An empty stored value is returned as empty.
    std::u16string ReadString(std::u16string_view section, std::u16string_view key,
                              std::u16string_view fallback) const;

    // The value as a decimal integer (optional sign, then digits, nothing else), or fallback when
    // the key is missing, empty, not a whole number or out of the int range.
    int ReadInt(std::u16string_view section, std::u16string_view key, int fallback) const;

    // Sets key in section to value (see the class comment). Returns false, changing nothing, when
    // the section or key is empty, a name (even at its end) or the value contains a line break
    // or a NUL, the key contains '=' or begins with '[', a section name contains ']', or the
    // file cannot be read or replaced. A value with surrounding blanks or surrounding quotes is
    // written inside one extra pair of double quotes so that it reads back exactly.
    bool Write(std::u16string_view section, std::u16string_view key, std::u16string_view value);

    struct KeyValue {
        std::u16string_view key;
        std::u16string_view value;
    };
    // Sets several keys of one section, in the given order, with one replacement of the file:
    // a crash leaves either every key old or every key new. A key Write would refuse is left
    // out (the others are still written) and makes the result false; false also when the file
    // cannot be read or replaced (nothing changed then).
    bool WriteKeys(std::u16string_view section, std::span<const KeyValue> keys);

    // Creates the file, when it does not exist yet, as UTF-16LE with the byte-order mark holding
    // only the line "[section]" and CR LF. Returns true when the file exists afterwards.
    bool CreateUnicode(std::u16string_view section);

private:
    std::string path_;
};

} // namespace qm
