// The drives on Windows: the drive letters and what the system tells of each.
#include "platform/windows_api.h"

#include "platform/drives.h"

namespace tht {

std::vector<DriveInfo> systemDrives() {
  std::vector<DriveInfo> drives;
  const DWORD present = ::GetLogicalDrives();
  for (int letter = 0; letter < 26; ++letter) {
    if (!(present & (1u << letter))) continue;
    DriveInfo drive;
    drive.root = std::string(1, static_cast<char>('A' + letter)) + ":\\";
    switch (::GetDriveTypeA(drive.root.c_str())) {
      case DRIVE_REMOVABLE: drive.kind = DriveKind::Removable; break;
      case DRIVE_FIXED: drive.kind = DriveKind::Fixed; break;
      case DRIVE_REMOTE: drive.kind = DriveKind::Network; break;
      case DRIVE_CDROM: drive.kind = DriveKind::Optical; break;
      case DRIVE_RAMDISK: drive.kind = DriveKind::RamDisk; break;
      default: continue;
    }
    if (drive.kind == DriveKind::Network) {
      char remote[MAX_PATH + 1];
      DWORD length = sizeof remote;
      if (::WNetGetConnectionA(drive.root.substr(0, 2).c_str(), remote, &length) == NO_ERROR) drive.networkName = remote;
    }
    if (drive.kind != DriveKind::Removable && drive.networkName.empty()) {
      char volume[MAX_PATH + 1];
      if (::GetVolumeInformationA(drive.root.c_str(), volume, sizeof volume, nullptr, nullptr, nullptr, nullptr, 0))
        drive.label = volume;
    }
    drives.push_back(drive);
  }
  return drives;
}

std::string folderHeldOnDrive(const std::string& root) {
  const std::string drive = root.substr(0, 2);
  char full[MAX_PATH + 1];
  const DWORD length = ::GetFullPathNameA(drive.c_str(), sizeof full, full, nullptr);
  return length > 0 && length < sizeof full ? std::string(full, length) : std::string();
}

bool keepsLetterCase(const std::string& folder) {
  DWORD flags = 0;
  if (folder.size() < 3 || folder[1] != ':') return true;
  if (!::GetVolumeInformationA(folder.substr(0, 3).c_str(), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0))
    return true;
  return (flags & FS_CASE_IS_PRESERVED) != 0;
}

}  // namespace tht
