// The drives on Linux: the mounted file systems of the mount table, with
// their kinds from the file-system type and /sys, and their labels from
// /dev/disk/by-label.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>

#include "platform/drives.h"
#include "platform/mount_table.h"

namespace tht {
namespace {

bool isOctal(char c) { return c >= '0' && c <= '7'; }

// Mount tables write blanks, tabs, new lines and backslashes in names as
// octal escapes ("\040").
std::string unescape(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 3 < text.size() && isOctal(text[i + 1]) && isOctal(text[i + 2]) &&
        isOctal(text[i + 3])) {
      out += static_cast<char>(std::stoi(text.substr(i + 1, 3), nullptr, 8));
      i += 3;
    } else {
      out += text[i];
    }
  }
  return out;
}

bool startsWith(const std::string& text, const std::string& prefix) { return text.compare(0, prefix.size(), prefix) == 0; }

bool isPseudo(const std::string& type, const std::string& mountPoint) {
  static const std::set<std::string> pseudo = {
      "proc",   "sysfs",     "cgroup",   "cgroup2",   "devpts",     "devtmpfs", "securityfs", "debugfs",
      "tracefs", "pstore",   "bpf",      "mqueue",    "hugetlbfs",  "configfs", "fusectl",    "autofs",
      "binfmt_misc", "efivarfs", "nsfs",  "rpc_pipefs", "selinuxfs", "fuse.gvfsd-fuse", "fuse.portal"};
  if (pseudo.count(type)) return true;
  if (type == "tmpfs" || type == "ramfs")
    return mountPoint == "/dev" || startsWith(mountPoint, "/run") || startsWith(mountPoint, "/sys") ||
           startsWith(mountPoint, "/dev/");
  return false;
}

DriveKind kindOf(const std::string& type, const std::string& device, bool (*isRemovable)(const std::string&)) {
  static const std::set<std::string> network = {"nfs", "nfs4", "cifs", "smb3", "smbfs", "fuse.sshfs", "sshfs",
                                                "9p", "afs", "ncpfs", "davfs", "fuse.davfs2"};
  if (network.count(type)) return DriveKind::Network;
  if (type == "iso9660" || type == "udf") return DriveKind::Optical;
  if (type == "tmpfs" || type == "ramfs") return DriveKind::RamDisk;
  if (startsWith(device, "/dev/") && isRemovable(device)) return DriveKind::Removable;
  return DriveKind::Fixed;
}

bool removableDevice(const std::string& device) {
  // /dev/sdb1 -> /sys/class/block/sdb1 -> its disk's "removable" flag.
  std::error_code error;
  const std::filesystem::path real = std::filesystem::canonical(device, error);
  if (error) return false;
  std::filesystem::path block = std::filesystem::path("/sys/class/block") / real.filename();
  for (int up = 0; up < 2; ++up) {
    std::ifstream flag(block / "removable");
    char value = '0';
    if (flag >> value) return value == '1';
    block = std::filesystem::canonical(block, error).parent_path();
    if (error) return false;
  }
  return false;
}

std::string deviceLabel(const std::string& device) {
  std::error_code error;
  const std::filesystem::path real = std::filesystem::canonical(device, error);
  if (error) return {};
  for (const auto& entry : std::filesystem::directory_iterator("/dev/disk/by-label", error)) {
    std::error_code linkError;
    if (std::filesystem::canonical(entry.path(), linkError) == real && !linkError) {
      // udev escapes blanks and slashes as \x20 and \x2f.
      std::string name = entry.path().filename().string(), out;
      for (size_t i = 0; i < name.size(); ++i) {
        if (name.compare(i, 2, "\\x") == 0 && i + 3 < name.size()) {
          out += static_cast<char>(std::stoi(name.substr(i + 2, 2), nullptr, 16));
          i += 3;
        } else {
          out += name[i];
        }
      }
      return out;
    }
  }
  return {};
}

}  // namespace

std::vector<DriveInfo> drivesOfMountTable(const std::string& mountTable, bool (*isRemovable)(const std::string&),
                                          std::string (*labelOf)(const std::string&)) {
  std::map<std::string, DriveInfo> byPoint;  // a later mount hides an earlier one
  std::istringstream lines(mountTable);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string device, point, type;
    if (!(fields >> device >> point >> type)) continue;
    device = unescape(device);
    point = unescape(point);
    if (isPseudo(type, point)) continue;
    DriveInfo drive;
    drive.root = point;
    drive.kind = kindOf(type, device, isRemovable);
    if (drive.kind == DriveKind::Network)
      drive.networkName = device;
    else if (drive.kind != DriveKind::Removable && startsWith(device, "/dev/"))
      drive.label = labelOf(device);
    byPoint[point] = drive;
  }
  std::vector<DriveInfo> drives;
  for (auto& entry : byPoint) drives.push_back(entry.second);
  return drives;
}

std::vector<DriveInfo> systemDrives() {
  std::ifstream in("/proc/self/mounts");
  const std::string table((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return drivesOfMountTable(table, removableDevice, deviceLabel);
}

// Linux keeps no current folder per mounted file system.
std::string folderHeldOnDrive(const std::string&) { return {}; }

bool keepsLetterCase(const std::string&) { return true; }

}  // namespace tht
