// The mounted file systems that hold files, as the drive list shows them.
#pragma once

#include <string>
#include <vector>

#include "app/drives.h"

namespace tht::qt {

// The drives of a mount table in the format of /proc/self/mounts, in path
// order, pseudo file systems left out. `isRemovable` tells whether a device
// is removable and `labelOf` gives a device's file-system label ("" when
// none); both are asked only for real devices.
std::vector<app::Drive> drivesOf(const std::string& mountTable, bool (*isRemovable)(const std::string& device),
                            std::string (*labelOf)(const std::string& device));

// The drives of this system, from /proc/self/mounts, /sys and
// /dev/disk/by-label.
std::vector<app::Drive> systemDrives();

// The drive whose mount point holds `folder` (the longest that does).
size_t driveOf(const std::vector<app::Drive>& drives, const std::string& folder);

}  // namespace tht::qt
