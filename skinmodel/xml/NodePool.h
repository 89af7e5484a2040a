// Small fixed-size blocks for the nodes of XML trees. A page file has hundreds of thousands of
// elements; the general allocator spends more time merging their freed blocks than the reader
// spends reading. Freed blocks are kept per size (and thread) for the next tree.
#pragma once

#include <cstddef>
#include <new>

namespace jvxml {

void* PoolAlloc(std::size_t size);
void PoolFree(void* p, std::size_t size) noexcept;

// A standard allocator over the pool, for the child and attribute lists.
template <class T>
struct PoolAllocator {
    using value_type = T;
    PoolAllocator() = default;
    template <class U>
    PoolAllocator(const PoolAllocator<U>&) noexcept
    {
    }
    T* allocate(std::size_t n) { return static_cast<T*>(PoolAlloc(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) noexcept { PoolFree(p, n * sizeof(T)); }
    template <class U>
    bool operator==(const PoolAllocator<U>&) const noexcept
    {
        return true;
    }
};

// Gives a class the pool as its allocator.
#define JVXML_POOLED                                                                          \
    static void* operator new(std::size_t size) { return ::jvxml::PoolAlloc(size); }          \
    static void operator delete(void* p, std::size_t size) noexcept { ::jvxml::PoolFree(p, size); }

}  // namespace jvxml
