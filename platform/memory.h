// How the process manages its heap.
#pragma once

namespace tht {

// A run builds its large buffers and look-ups one step after another. Memory
// a step frees is kept for the next one rather than handed back to the
// system, where touching it again would cost a page fault per page (dear on
// virtual machines). Call once, first thing in main.
void keepFreedMemoryForReuse();

}  // namespace tht
