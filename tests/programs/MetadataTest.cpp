// The desktop entry and the AppStream description as the build makes them, checked with the
// distribution's own validators (installed by scripts/setup).
#include "support/ProgramRun.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace qm::test {
namespace {

bool HaveTool(const std::string& tool) {
    return RunCommand("command -v " + tool).status == 0;
}

TEST(DesktopMetadata, DesktopEntryAndAppStreamDescriptionValidate) {
    if (!HaveTool("desktop-file-validate") || !HaveTool("appstreamcli")) {
        GTEST_SKIP()
            << "desktop-file-validate or appstreamcli missing (scripts/setup installs them)";
    }
    const ProgramRun desktop =
        RunCommand("desktop-file-validate " +
                   ShellQuoted(std::string(QM_SOURCE_DIR) + "/src/resources/quillmark.desktop"));
    EXPECT_EQ(desktop.status, 0) << desktop.out << desktop.err;
    // Hints (such as an entry in two main menu categories) count as faults too.
    EXPECT_EQ(desktop.out + desktop.err, "");

    const char* binary = std::getenv("QM_BINARY_DIR");
    ASSERT_NE(binary, nullptr);
    const std::string metainfo =
        std::string(binary) + "/share/org.quillmark.quillmark.metainfo.xml";
    ASSERT_TRUE(std::filesystem::exists(metainfo)) << metainfo;
    const ProgramRun appstream =
        RunCommand("appstreamcli validate --no-net --pedantic " + ShellQuoted(metainfo));
    EXPECT_EQ(appstream.status, 0) << appstream.out << appstream.err;
    // The release it names is the project's version.
    std::ifstream in(metainfo);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("<release version=\"" QM_PROJECT_VERSION "\""), std::string::npos);
}

} // namespace
} // namespace qm::test
