// What the fuzz targets share: a private scratch folder for the files an
// input becomes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tht::fuzz {

// A folder of this process, made once and removed at a normal exit:
// targets overwrite their own fixed file names in it.
const std::string& scratchFolder();

// Writes `size` bytes as the file `name` in the scratch folder; returns its path.
std::string writeScratchFile(const std::string& name, const uint8_t* data, size_t size);

}  // namespace tht::fuzz
