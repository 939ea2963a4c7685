// The drives of a Linux mount table: the mounted file systems that hold files.
#include <gtest/gtest.h>

#include "platform/mount_table.h"

namespace tht {
namespace {

bool usbRemovable(const std::string& device) { return device == "/dev/sdb1"; }
std::string labels(const std::string& device) {
  if (device == "/dev/sda2") return "DATOS Centro";
  return device == "/dev/sdb1" ? "USB" : "";
}

std::string described(const DriveInfo& drive) {
  static const char* const kinds[] = {"removable", "fixed", "network", "optical", "ram"};
  return drive.root + " " + kinds[static_cast<int>(drive.kind)] + " [" + drive.label + "] " + drive.networkName;
}

TEST(MountTable, FileSystemsThatHoldFilesInPathOrder) {
  const std::string table =
      "/dev/sda1 / ext4 rw 0 0\n"
      "proc /proc proc rw 0 0\n"
      "sysfs /sys sysfs rw 0 0\n"
      "tmpfs /run tmpfs rw 0 0\n"
      "tmpfs /run/user/1000 tmpfs rw 0 0\n"
      "devpts /dev/pts devpts rw 0 0\n"
      "cgroup2 /sys/fs/cgroup cgroup2 rw 0 0\n"
      "/dev/sda2 /home/datos\\040centro ext4 rw 0 0\n"
      "//SERVIDOR/Horarios /mnt/red cifs rw 0 0\n"
      "/dev/sr0 /media/cd iso9660 ro 0 0\n"
      "tmpfs /tmp tmpfs rw 0 0\n"
      "/dev/sdb1 /media/usb vfat rw 0 0\n"
      "/dev/sda3 /srv/a\\b ext4 rw 0 0\n"
      "/dev/sda4 /tmp ext4 rw 0 0\n"
      "short line\n";
  std::vector<std::string> drives;
  for (const DriveInfo& drive : drivesOfMountTable(table, usbRemovable, labels)) drives.push_back(described(drive));
  EXPECT_EQ(drives, (std::vector<std::string>{"/ fixed [] ", "/home/datos centro fixed [DATOS Centro] ",
                                              "/media/cd optical [] ", "/media/usb removable [] ",
                                              "/mnt/red network [] //SERVIDOR/Horarios", "/srv/a\\b fixed [] ",
                                              "/tmp fixed [] "}));
}

}  // namespace
}  // namespace tht
