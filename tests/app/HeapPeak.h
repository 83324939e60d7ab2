#pragma once

#include <cstddef>

// Bytes held through operator new by the whole test program: now, and the
// most at any moment since the last ResetHeapPeak().
std::size_t HeapInUse();
std::size_t HeapPeak();
void ResetHeapPeak();
