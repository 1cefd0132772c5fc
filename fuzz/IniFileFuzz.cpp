// The ini reader and writer on any file: a write that reports success reads back exactly and
// leaves every other key as it was; a refused write leaves the file byte for byte.

#include "FuzzSupport.h"

#include "platform/IniFile.h"

#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <unistd.h>

using namespace qm;

namespace {

constexpr std::array<std::u16string_view, 6> kSections = {u"Quillmark", u"quillmark ", u"Other",
                                                          u"New",       u"Bad]",       u"Q\r"};
constexpr std::array<std::u16string_view, 12> kKeys = {
    u"PORT_TYPE", u"port_type", u" REGION\t", u"PORT_NAME",
    u"COM_SET",   u"A",         u"a",         u"NEW KEY",
    u"K=V",       u"[X",        u"A\r",       u"\u041a\u043b\u044e\u0447"};

std::u16string Normal(std::u16string_view name) {
    while (!name.empty() && (name.front() == u' ' || name.front() == u'\t')) {
        name.remove_prefix(1);
    }
    while (!name.empty() && (name.back() == u' ' || name.back() == u'\t')) {
        name.remove_suffix(1);
    }
    std::u16string out(name);
    for (char16_t& c : out) {
        if (c >= u'A' && c <= u'Z') {
            c = static_cast<char16_t>(c - u'A' + u'a');
        }
    }
    return out;
}

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

// The folder of this process's ini file, removed when the process ends. Kept in a buffer that
// outlives every static object, since it is used after they are gone.
char gFolder[64] = "/tmp";

void RemoveFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(gFolder, ignored);
}

const char* Folder() {
    static const bool made = [] {
        // A memory file system where there is one: every write is flushed to disk.
        const bool shm = ::access("/dev/shm", W_OK) == 0;
        std::strcpy(gFolder, shm ? "/dev/shm/qm-fuzz-ini-XXXXXX" : "/tmp/qm-fuzz-ini-XXXXXX");
        if (::mkdtemp(gFolder) == nullptr) {
            std::strcpy(gFolder, "/tmp");
            return false;
        }
        std::atexit(RemoveFolder);
        return true;
    }();
    (void)made;
    return gFolder;
}

using Snapshot =
    std::array<std::array<std::optional<std::u16string>, kKeys.size()>, kSections.size()>;

Snapshot ReadAll(const IniFile& ini) {
    Snapshot s;
    for (size_t i = 0; i < kSections.size(); ++i) {
        for (size_t k = 0; k < kKeys.size(); ++k) {
            std::u16string value;
            if (ini.Read(kSections[i], kKeys[k], value)) {
                s[i][k] = value;
            }
        }
    }
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in(data, size);
    const size_t section = in.Byte() % kSections.size();
    const size_t key = in.Byte() % kKeys.size();
    const std::u16string value = Utf8ToUtf16(in.Take(in.Byte() % 48));
    const std::string_view file = in.Rest();

    const std::string path = std::string(Folder()) + "/Quillmark.ini";
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(file.data(), static_cast<std::streamsize>(file.size()));
    }
    IniFile ini(path);
    const Snapshot before = ReadAll(ini);
    const bool written = ini.Write(kSections[section], kKeys[key], value);
    if (!written) {
        fuzz::Check(FileBytes(path) == file, "a refused write leaves the file as it was");
        return 0;
    }
    std::u16string back;
    fuzz::Check(ini.Read(kSections[section], kKeys[key], back) && back == value,
                "a written value reads back exactly",
                "value \"" + Utf16ToUtf8(value) + "\" read \"" + Utf16ToUtf8(back) + "\"");
    const Snapshot after = ReadAll(ini);
    for (size_t i = 0; i < kSections.size(); ++i) {
        for (size_t k = 0; k < kKeys.size(); ++k) {
            const bool same = Normal(kSections[i]) == Normal(kSections[section]) &&
                              Normal(kKeys[k]) == Normal(kKeys[key]);
            if (!same && before[i][k] != after[i][k]) {
                auto show = [](const std::optional<std::u16string>& v) {
                    return v ? "\"" + Utf16ToUtf8(*v) + "\"" : std::string("(none)");
                };
                fuzz::Broken("a write changed another key",
                             Utf16ToUtf8(kSections[i]) + "/" + Utf16ToUtf8(kKeys[k]) + " was " +
                                 show(before[i][k]) + ", is " + show(after[i][k]) + "; written " +
                                 Utf16ToUtf8(kSections[section]) + "/" + Utf16ToUtf8(kKeys[key]));
            }
        }
    }
    return 0;
}
