#pragma once

// Replies as the printer sends them for the Self Info receive, and a scratch folder.

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

namespace qm::test {

// The machine-information reply (after the reply marker), "END" included.
inline const std::u16string kMachineInfo = u"~!!\r\n\x02\x1b~A\r\n"
                                           u"Model Number\t:\tVexa Gorse\r\n"
                                           u"Serial Number\t:\tGX4-123456\r\n"
                                           u"Boot Version\t:\t1.02\r\n"
                                           u"Main Version\t:\t2.10\r\n"
                                           u"Emulation\t:\tCODE_KORVANE\r\n"
                                           u"Head Check\t:\tOK\r\n"
                                           u"Print Counter\t:\t1,234.5 m\r\n"
                                           u"Service Counter\t:\t567.8 m\r\n"
                                           u"Cut Counter\t:\t89\r\n"
                                           u"END\r\n";

// A STANDARD menu reply, shortened.
inline const std::u16string kMenuSettings = u"~!!\r\n\x02\x1b~A\r\n"
                                            u"GLOBAL CONFIG\t:\tCONFIG SET 1\r\n"
                                            u"PRINT SPEED\t:\t6 IPS\r\n"
                                            u"PRINT DARKNESS\t:\t10\r\n"
                                            u"PRINT METHOD\t:\tTT\r\n"
                                            u"MEDIA SENSOR\t:\tGAP\r\n"
                                            u"SENSOR LEVEL\t:\t1.5\tV\r\n"
                                            u"AUTOCONFIGURE\t:\tOFF\r\n"
                                            u"FUNCTION SELECT\t:\tTEAR\r\n"
                                            u"USB DEVICE CLASS\t:\tPRINTER\r\n"
                                            u"END\r\n";

// 9 December 2026, 03:04:05.
inline std::tm SomeTime() {
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 9;
    t.tm_hour = 3;
    t.tm_min = 4;
    t.tm_sec = 5;
    return t;
}

// A scratch folder, removed with its files when the object goes.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "qm-selfinfo-XXXXXX");
        path_ = ::mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

inline std::string ReadWhole(const std::filesystem::path& path) {
    std::string bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
            bytes.append(buffer, n);
        }
        std::fclose(f);
    }
    return bytes;
}

} // namespace qm::test
