#include "platform/memory.h"

#include <malloc.h>

namespace tht {

void keepFreedMemoryForReuse() {
  // Blocks up to 256 MiB come from the heap, not from mappings of their own
  // that are unmapped when freed; the heap is not trimmed below that size.
  constexpr int kKept = 256 << 20;
  mallopt(M_MMAP_THRESHOLD, kKept);
  mallopt(M_TRIM_THRESHOLD, kKept);
}

}  // namespace tht
