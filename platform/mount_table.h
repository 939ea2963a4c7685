// The drives of a Linux mount table (the format of /proc/self/mounts): the
// mounted file systems that hold files, pseudo file systems left out.
#pragma once

#include <string>
#include <vector>

#include "platform/drives.h"

namespace tht {

// In path order; of two mounts on one point the later one, which hides the
// earlier. A network file system's device is its network name. `isRemovable`
// tells whether a device is removable and `labelOf` gives a device's
// file-system label ("" when none); both are asked only for devices under
// /dev/ (labels only for those that are not removable).
std::vector<DriveInfo> drivesOfMountTable(const std::string& mountTable,
                                          bool (*isRemovable)(const std::string& device),
                                          std::string (*labelOf)(const std::string& device));

}  // namespace tht
