#include "platform/PortPermissionHint.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <unistd.h>

namespace qm {
namespace {

namespace fs = std::filesystem;

PortPermissionFacts Facts(const std::string& device, const std::string& group, unsigned mode) {
    PortPermissionFacts facts;
    facts.device = device;
    facts.error = EACCES;
    facts.found = true;
    facts.group = group;
    facts.mode = mode;
    return facts;
}

TEST(PortPermissionHint, NamesTheDeviceAndTheGroupToJoin) {
    EXPECT_EQ(PortPermissionHint(Facts("/dev/ttyUSB0", "dialout", 0660)),
              "permission denied opening /dev/ttyUSB0 (group \"dialout\", mode 0660): add "
              "yourself to the group \"dialout\" (sudo adduser \"$USER\" dialout), then log out "
              "and in again");
    // The group comes from the device file, whatever its kind would usually have.
    EXPECT_NE(PortPermissionHint(Facts("/dev/usb/lp0", "lp", 0660))
                  .find("add yourself to the group \"lp\" (sudo adduser \"$USER\" lp)"),
              std::string::npos);
    EXPECT_NE(PortPermissionHint(Facts("/dev/ttyS0", "uucp", 0660)).find("group \"uucp\""),
              std::string::npos);
    // EPERM reads the same.
    PortPermissionFacts perm = Facts("/dev/lp0", "lp", 0660);
    perm.error = EPERM;
    EXPECT_NE(PortPermissionHint(perm).find("adduser"), std::string::npos);
}

TEST(PortPermissionHint, AMembershipThatNeedsANewLoginOrIsNotEnough) {
    PortPermissionFacts facts = Facts("/dev/ttyACM0", "dialout", 0660);
    facts.groupInAccount = true; // added, but this session started before
    EXPECT_EQ(PortPermissionHint(facts),
              "permission denied opening /dev/ttyACM0 (group \"dialout\", mode 0660): you were "
              "added to the group \"dialout\" after this session began; log out and in again (or "
              "run: newgrp dialout)");
    facts.groupInSession = true; // the group is there and still refused
    const std::string hint = PortPermissionHint(facts);
    EXPECT_NE(hint.find("you are in its group, yet the system refused"), std::string::npos);
    EXPECT_EQ(hint.find("adduser"), std::string::npos);
}

TEST(PortPermissionHint, ADeviceNoGroupMayOpenPointsAtTheUsualGroup) {
    // Root's own group, a group without read and write, an unknown group: joining cannot help.
    for (const PortPermissionFacts& facts :
         {Facts("/dev/ttyS3", "root", 0660), Facts("/dev/ttyS3", "dialout", 0640),
          Facts("/dev/ttyS3", "", 0660)}) {
        const std::string hint = PortPermissionHint(facts);
        EXPECT_NE(hint.find("permission denied opening /dev/ttyS3"), std::string::npos) << hint;
        EXPECT_NE(hint.find("only its owner may open it; on Debian such ports belong to the "
                            "group \"dialout\""),
                  std::string::npos)
            << hint;
        EXPECT_EQ(hint.find("adduser"), std::string::npos) << hint;
    }
    // A device of no known kind gets no suggestion of a group.
    EXPECT_EQ(PortPermissionHint(Facts("/srv/printer", "root", 0600)),
              "permission denied opening /srv/printer (group \"root\", mode 0600): only its owner "
              "may open it");
    PortPermissionFacts hidden = Facts("/dev/ttyS0", "", 0);
    hidden.found = false;
    EXPECT_EQ(PortPermissionHint(hidden),
              "permission denied opening /dev/ttyS0: a folder on its path may not be searched by "
              "you");
}

TEST(PortPermissionHint, OtherErrorsAreNotAboutPermission) {
    for (int error : {0, ENOENT, EBUSY, ENODEV, EIO}) {
        PortPermissionFacts facts = Facts("/dev/ttyS0", "dialout", 0660);
        facts.error = error;
        EXPECT_EQ(PortPermissionHint(facts), "") << error;
    }
}

TEST(PortPermissionHint, ConventionalGroupsByDeviceKind) {
    EXPECT_EQ(ConventionalPortGroup("/dev/ttyS0"), "dialout");
    EXPECT_EQ(ConventionalPortGroup("/dev/ttyUSB12"), "dialout");
    EXPECT_EQ(ConventionalPortGroup("/dev/ttyACM0"), "dialout");
    EXPECT_EQ(ConventionalPortGroup("/dev/lp1"), "lp");
    EXPECT_EQ(ConventionalPortGroup("/dev/usb/lp0"), "lp");
    // A fake device tree (QUILLMARK_DEV_ROOT) ends the same way.
    EXPECT_EQ(ConventionalPortGroup("/tmp/fake/dev/usb/lp3"), "lp");
    EXPECT_EQ(ConventionalPortGroup("/dev/pts/3"), "");
    EXPECT_EQ(ConventionalPortGroup("/dev/tty"), "");
}

TEST(PortPermissionHint, FactsComeFromTheDeviceFile) {
    std::string pattern = (fs::temp_directory_path() / "qm-perm-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const std::string device = pattern + "/ttyS0";
    std::ofstream(device) << "";
    fs::permissions(device, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                fs::perms::group_write);
    const PortPermissionFacts facts = GatherPortPermissionFacts(device, EACCES);
    EXPECT_TRUE(facts.found);
    EXPECT_EQ(facts.mode, 0660u);
    EXPECT_EQ(facts.error, EACCES);
    // The file has this process's group, which it is in.
    const struct group* own = ::getgrgid(::getegid());
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(facts.group, own->gr_name);
    EXPECT_TRUE(facts.groupInSession);

    const PortPermissionFacts gone = GatherPortPermissionFacts(pattern + "/ttyS9", EACCES);
    EXPECT_FALSE(gone.found);
    fs::remove_all(pattern);
}

} // namespace
} // namespace qm
