// The Windows heap keeps freed memory for reuse on its own: nothing to set.
#include "platform/memory.h"

namespace tht {

void keepFreedMemoryForReuse() {}

}  // namespace tht
