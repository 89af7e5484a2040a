#include "skinmodel/xml/NodePool.h"

#include <cstdint>

#if defined(__SANITIZE_ADDRESS__)
#define JVXML_NO_POOL 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define JVXML_NO_POOL 1
#endif
#endif

namespace jvxml {

namespace {

constexpr std::size_t kStep = 16;
constexpr std::size_t kLargest = 256;
constexpr std::size_t kClasses = kLargest / kStep;
constexpr std::size_t kSlab = 64 * 1024;

struct FreeBlock {
    FreeBlock* next;
};

struct SizeClass {
    FreeBlock* free = nullptr;
    char* bump = nullptr;
    char* end = nullptr;
};

// Slabs are never given back: the blocks of one tree serve the next.
[[maybe_unused]] thread_local SizeClass tClasses[kClasses];  // unused when the pool is off

}  // namespace

void* PoolAlloc(std::size_t size)
{
#ifdef JVXML_NO_POOL
    return ::operator new(size);
#else
    if (size == 0 || size > kLargest)
        return ::operator new(size == 0 ? 1 : size);
    const std::size_t index = (size - 1) / kStep;
    SizeClass& c = tClasses[index];
    if (FreeBlock* b = c.free) {
        c.free = b->next;
        return b;
    }
    const std::size_t block = (index + 1) * kStep;
    if (c.end - c.bump < std::ptrdiff_t(block)) {
        c.bump = static_cast<char*>(::operator new(kSlab));
        c.end = c.bump + kSlab;
    }
    void* p = c.bump;
    c.bump += block;
    return p;
#endif
}

void PoolFree(void* p, std::size_t size) noexcept
{
    if (!p)
        return;
#ifdef JVXML_NO_POOL
    ::operator delete(p);
#else
    if (size == 0 || size > kLargest) {
        ::operator delete(p);
        return;
    }
    SizeClass& c = tClasses[(size - 1) / kStep];
    auto* b = static_cast<FreeBlock*>(p);
    b->next = c.free;
    c.free = b;
#endif
}

}  // namespace jvxml
