// The system's drives, and what it tells of a drive or a volume: on Windows
// the drive letters, elsewhere the mounted file systems that hold files.
// Names are the system's own bytes (see platform/names.h).
#pragma once

#include <string>
#include <vector>

namespace tht {

enum class DriveKind { Removable, Fixed, Network, Optical, RamDisk };

struct DriveInfo {
  std::string root;  // "C:\" on Windows, the mount point elsewhere
  DriveKind kind = DriveKind::Fixed;
  // The volume label: "" when there is none, when it cannot be read, and for
  // removable drives and network drives whose resource is known, which are
  // not asked (a drive without a medium or a slow share would make the
  // list wait).
  std::string label;
  // The network resource a network drive is connected to ("\\server\share",
  // "//server/share", "server:/export"); "" when unknown or not a network drive.
  std::string networkName;
};

// Windows: the letters GetLogicalDrives reports, A to Z, of the kinds above
// (GetDriveTypeA; any other kind left out), with WNetGetConnectionA's and
// GetVolumeInformationA's answers. Elsewhere: the mount table's file systems
// that hold files, in path order (see platform/mount_table.h).
std::vector<DriveInfo> systemDrives();

// The folder the system holds as current on the drive whose root is `root`:
// on Windows GetFullPathNameA of "X:"; "" where the system holds none
// (elsewhere, and on Windows when it cannot tell).
std::string folderHeldOnDrive(const std::string& root);

// Whether the volume that holds `folder` keeps the letter case of names:
// on Windows GetVolumeInformationA's FS_CASE_IS_PRESERVED (true when it
// cannot tell); elsewhere always.
bool keepsLetterCase(const std::string& folder);

}  // namespace tht
