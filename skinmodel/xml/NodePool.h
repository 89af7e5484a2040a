// Small fixed-size blocks for the nodes of XML trees. A page file has hundreds of thousands of
// elements; the general allocator spends more time merging their freed blocks than the reader
// spends reading. Blocks come from slabs shared by all threads: each thread keeps a small cache of
// free blocks, a slab whose blocks are all free again serves any size on any thread, and slabs
// left unused from one closed document to the next go back to the system.
#pragma once

#include <cstddef>
#include <new>

namespace jvxml {

void* PoolAlloc(std::size_t size);
void PoolFree(void* p, std::size_t size) noexcept;

// Called when a document is destroyed: the calling thread's cached blocks go back to their
// slabs, and the empty slabs that stayed unused since the previous call go back to the system.
void PoolTrim() noexcept;

// Slab bytes holding blocks (in use or cached by a thread), and empty slabs kept for reuse.
struct PoolUsage {
    std::size_t Used = 0;
    std::size_t Kept = 0;
};
PoolUsage PoolBytes() noexcept;

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
