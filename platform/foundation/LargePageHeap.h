#pragma once
// The heap in 2 MiB pages where the system offers them (transparent huge pages on request):
// the first screens fill tens of megabytes of fresh memory, and in small pages every 4 KiB
// of it costs a page fault. Freed memory stays with the process for reuse.

// Grows the heap ahead by a reserve and asks for large pages on it. Once per process;
// without the system's support nothing changes.
void useLargePageHeap();
