// Replaces the global operator new and delete of the test program with
// counting ones, so a test can measure what a call holds at its worst.

#include "HeapPeak.h"

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>

namespace {

std::atomic<std::size_t> g_inUse{0};
std::atomic<std::size_t> g_peak{0};

void* Counted(void* p) {
    if (!p)
        return p;
    const std::size_t now = g_inUse += ::malloc_usable_size(p);
    std::size_t peak = g_peak.load();
    while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {
    }
    return p;
}

void Release(void* p) noexcept {
    if (!p)
        return;
    g_inUse -= ::malloc_usable_size(p);
    std::free(p);
}

void* Allocate(std::size_t size) {
    if (void* p = Counted(std::malloc(size ? size : 1)))
        return p;
    throw std::bad_alloc();
}

void* AllocateAligned(std::size_t size, std::align_val_t align) {
    const auto a = static_cast<std::size_t>(align);
    const std::size_t rounded = (size + a - 1) / a * a;
    if (void* p = Counted(std::aligned_alloc(a, rounded ? rounded : a)))
        return p;
    throw std::bad_alloc();
}

} // namespace

std::size_t HeapInUse() { return g_inUse.load(); }
std::size_t HeapPeak() { return g_peak.load(); }
void ResetHeapPeak() { g_peak = g_inUse.load(); }

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return Counted(std::malloc(size ? size : 1));
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return Counted(std::malloc(size ? size : 1));
}
void* operator new(std::size_t size, std::align_val_t align) { return AllocateAligned(size, align); }
void* operator new[](std::size_t size, std::align_val_t align) { return AllocateAligned(size, align); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }
void operator delete(void* p, std::align_val_t) noexcept { Release(p); }
void operator delete[](void* p, std::align_val_t) noexcept { Release(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { Release(p); }
