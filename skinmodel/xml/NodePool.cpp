#include "skinmodel/xml/NodePool.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <type_traits>

#if defined(__SANITIZE_ADDRESS__)
#define JVXML_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define JVXML_ASAN 1
#endif
#endif

#ifdef JVXML_ASAN
// Freed blocks are poisoned and held back for a while before they are used again, so a node used
// after it was destroyed is reported as such. Slabs come from the heap there, where the leak
// checker looks for pointers into them.
#include <sanitizer/asan_interface.h>
#else
#define ASAN_POISON_MEMORY_REGION(addr, size) ((void)(addr), (void)(size))
#define ASAN_UNPOISON_MEMORY_REGION(addr, size) ((void)(addr), (void)(size))
#if defined(__unix__)
#include <sys/mman.h>
#define JVXML_MAP_SLABS 1
#endif
#endif

namespace jvxml {

namespace {

constexpr std::size_t kStep = 16;
constexpr std::size_t kLargest = 256;
constexpr std::size_t kClasses = kLargest / kStep;
constexpr std::size_t kSlab = 64 * 1024;  // also its alignment: a block finds its slab by address
constexpr std::size_t kHeader = 64;
constexpr uint32_t kBatch = 64;           // blocks moved between a thread and the slabs at a time

constexpr std::size_t BlockSize(std::size_t cls) { return (cls + 1) * kStep; }
constexpr uint32_t Capacity(std::size_t cls) { return uint32_t((kSlab - kHeader) / BlockSize(cls)); }

struct FreeBlock {
    FreeBlock* next;
};

// The link of a free block is the only part of it the pool touches.
FreeBlock* NextOf(FreeBlock* b)
{
    ASAN_UNPOISON_MEMORY_REGION(b, sizeof(FreeBlock));
    FreeBlock* next = b->next;
    ASAN_POISON_MEMORY_REGION(b, sizeof(FreeBlock));
    return next;
}

void Link(FreeBlock* b, FreeBlock* next)
{
    ASAN_UNPOISON_MEMORY_REGION(b, sizeof(FreeBlock));
    b->next = next;
    ASAN_POISON_MEMORY_REGION(b, sizeof(FreeBlock));
}

// The head of a slab; its blocks follow.
struct Slab {
    Slab* prev;
    Slab* next;
    FreeBlock* free;  // blocks given back
    char* bump;       // a range never handed out, given back by a thread
    char* end;
    uint32_t out;     // blocks held by threads: in use, cached, or in a thread's range
    uint16_t cls;
    bool listed;      // in its class's list of slabs with blocks to give
#ifdef JVXML_ASAN
    // Every slab stays linked from outside poisoned memory: the leak checker ignores pointers
    // in poisoned words, and a slab whose blocks are all held back is known only through them.
    Slab* allPrev;
    Slab* allNext;
#endif
};
static_assert(sizeof(Slab) <= kHeader);

Slab* SlabOf(const void* p) { return reinterpret_cast<Slab*>(uintptr_t(p) & ~uintptr_t(kSlab - 1)); }

struct SlabList {
    Slab* head = nullptr;
    Slab* tail = nullptr;

    void PushFront(Slab* s)
    {
        s->prev = nullptr;
        s->next = head;
        (head ? head->prev : tail) = s;
        head = s;
    }
    void Remove(Slab* s)
    {
        (s->prev ? s->prev->next : head) = s->next;
        (s->next ? s->next->prev : tail) = s->prev;
    }
    Slab* PopFront()
    {
        Slab* s = head;
        if (s)
            Remove(s);
        return s;
    }
    Slab* PopBack()
    {
        Slab* s = tail;
        if (s)
            Remove(s);
        return s;
    }
};

// What all threads share, behind one lock that is taken once per batch of blocks.
struct Central {
    std::mutex lock;
    SlabList giving[kClasses];  // slabs with free blocks or a range
    SlabList empty;             // newest first, for any class
    std::size_t emptyCount = 0;
    std::size_t idle = 0;       // the fewest empty slabs since the last trim: the oldest stayed unused
    std::size_t usedCount = 0;
};
// Never destroyed: nodes of static documents are freed after every destructor has run.
static_assert(std::is_trivially_destructible_v<std::mutex>);
constinit Central gCentral;

struct ClassCache {
    FreeBlock* free = nullptr;
    uint32_t count = 0;
    char* bump = nullptr;
    char* end = nullptr;
};

struct ThreadCache {
    ClassCache classes[kClasses];
    bool registered = false;  // the hand-back at thread exit is set up, and the thread not gone
    bool gone = false;        // the thread is ending: blocks go straight back to their slabs
};
constinit thread_local ThreadCache tCache;

#ifdef JVXML_ASAN
// Freed blocks, oldest first, that are not used again until many more have been freed.
struct Quarantine {
    FreeBlock* head = nullptr;
    FreeBlock* tail = nullptr;
    uint32_t count = 0;
};
constexpr uint32_t kQuarantined = 1 << 16;
constinit thread_local Quarantine tQuarantine;

// Takes a freed block in; gives the oldest out once the quarantine is full.
FreeBlock* HoldBack(FreeBlock* b)
{
    Quarantine& q = tQuarantine;
    Link(b, nullptr);
    if (q.tail)
        Link(q.tail, b);
    else
        q.head = b;
    q.tail = b;
    if (++q.count <= kQuarantined)
        return nullptr;
    FreeBlock* oldest = q.head;
    q.head = NextOf(oldest);
    --q.count;
    return oldest;
}
#endif

// Hands the blocks of an ending thread back.
struct ThreadExit {
    bool armed = false;
    ~ThreadExit();
};
thread_local ThreadExit tExit;

#ifdef JVXML_MAP_SLABS
constexpr std::size_t kMapSlabs = 16;  // slabs mapped at a time

Slab* MapSlabs()
{
    const std::size_t bytes = kMapSlabs * kSlab;
    void* p = mmap(nullptr, bytes + kSlab, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED)
        throw std::bad_alloc();
    const uintptr_t start = uintptr_t(p);
    const uintptr_t aligned = (start + kSlab - 1) & ~uintptr_t(kSlab - 1);
    if (aligned > start)
        munmap(p, aligned - start);
    if (const uintptr_t tail = start + bytes + kSlab - (aligned + bytes))
        munmap(reinterpret_cast<void*>(aligned + bytes), tail);
    return reinterpret_cast<Slab*>(aligned);
}

void ReleaseSlab(Slab* s) { munmap(s, kSlab); }
#else
#ifdef JVXML_ASAN
Slab* gAllSlabs = nullptr;
#endif

Slab* NewSlab()
{
    auto* s = static_cast<Slab*>(::operator new(kSlab, std::align_val_t(kSlab)));
#ifdef JVXML_ASAN
    s->allPrev = nullptr;
    s->allNext = gAllSlabs;
    if (gAllSlabs)
        gAllSlabs->allPrev = s;
    gAllSlabs = s;
#endif
    return s;
}

void ReleaseSlab(Slab* s)
{
#ifdef JVXML_ASAN
    (s->allPrev ? s->allPrev->allNext : gAllSlabs) = s->allNext;
    if (s->allNext)
        s->allNext->allPrev = s->allPrev;
#endif
    ASAN_UNPOISON_MEMORY_REGION(s, kSlab);
    ::operator delete(s, std::align_val_t(kSlab));
}
#endif

// The functions below run with the lock held.

Slab* TakeEmpty()
{
    Central& g = gCentral;
    if (Slab* s = g.empty.PopFront()) {
        --g.emptyCount;
        g.idle = std::min(g.idle, g.emptyCount);
        return s;
    }
#ifdef JVXML_MAP_SLABS
    Slab* first = MapSlabs();
    for (std::size_t i = kMapSlabs - 1; i > 0; --i) {
        g.empty.PushFront(reinterpret_cast<Slab*>(reinterpret_cast<char*>(first) + i * kSlab));
        ++g.emptyCount;
    }
    return first;
#else
    return NewSlab();
#endif
}

void Unlist(Slab* s)
{
    if (s->listed) {
        gCentral.giving[s->cls].Remove(s);
        s->listed = false;
    }
}

void List(Slab* s)
{
    if (!s->listed) {
        gCentral.giving[s->cls].PushFront(s);
        s->listed = true;
    }
}

void SlabGivenBack(Slab* s, uint32_t blocks)
{
    s->out -= blocks;
    if (s->out > 0) {
        List(s);
        return;
    }
    Unlist(s);
    gCentral.empty.PushFront(s);
    ++gCentral.emptyCount;
    --gCentral.usedCount;
}

void GiveBack(FreeBlock* b)
{
    Slab* s = SlabOf(b);
    Link(b, s->free);
    s->free = b;
    SlabGivenBack(s, 1);
}

void HandBack(ClassCache& c, std::size_t cls)
{
    while (FreeBlock* b = c.free) {
        c.free = NextOf(b);
        GiveBack(b);
    }
    c.count = 0;
    const std::size_t block = BlockSize(cls);
    if (std::size_t(c.end - c.bump) >= block) {
        Slab* s = SlabOf(c.bump);
        const auto blocks = uint32_t(std::size_t(c.end - c.bump) / block);
        s->bump = c.bump;
        s->end = c.bump + blocks * block;
        SlabGivenBack(s, blocks);
    }
    c.bump = c.end = nullptr;
}

void HandBackAll(ThreadCache& t)
{
    for (std::size_t cls = 0; cls < kClasses; ++cls)
        HandBack(t.classes[cls], cls);
}

ThreadExit::~ThreadExit()
{
    std::lock_guard<std::mutex> guard(gCentral.lock);
#ifdef JVXML_ASAN
    for (Quarantine& q = tQuarantine; FreeBlock* b = q.head;) {
        q.head = NextOf(b);
        GiveBack(b);
    }
    tQuarantine = {};
#endif
    HandBackAll(tCache);
    tCache.gone = true;
    tCache.registered = false;
}

void Register(ThreadCache& t)
{
    t.registered = true;
    tExit.armed = true;
}

// Fills a thread's empty cache of one class: free blocks of the slabs first, then a range.
void Refill(ClassCache& c, std::size_t cls)
{
    if (ThreadCache& t = tCache; !t.registered && !t.gone)
        Register(t);
    const std::size_t block = BlockSize(cls);
    std::lock_guard<std::mutex> guard(gCentral.lock);
    SlabList& giving = gCentral.giving[cls];
    uint32_t taken = 0;
    bool ranged = false;
    while (giving.head && taken < kBatch && !ranged) {
        Slab* s = giving.head;
        for (; taken < kBatch && s->free; ++taken, ++s->out) {
            FreeBlock* b = s->free;
            s->free = NextOf(b);
            Link(b, c.free);
            c.free = b;
        }
        if (s->bump) {
            c.bump = s->bump;
            c.end = s->end;
            s->out += uint32_t(std::size_t(s->end - s->bump) / block);
            s->bump = s->end = nullptr;
            ranged = true;
        }
        if (!s->free)
            Unlist(s);
    }
    c.count += taken;
    if (taken > 0 || ranged)
        return;
    Slab* s = TakeEmpty();
    s->free = nullptr;
    s->bump = s->end = nullptr;
    s->cls = uint16_t(cls);
    s->listed = false;
    s->out = Capacity(cls);
    ++gCentral.usedCount;
    c.bump = reinterpret_cast<char*>(s) + kHeader;
    c.end = c.bump + std::size_t(Capacity(cls)) * block;
    ASAN_POISON_MEMORY_REGION(c.bump, std::size_t(c.end - c.bump));
}

void Spill(ClassCache& c)
{
    std::lock_guard<std::mutex> guard(gCentral.lock);
    for (uint32_t i = 0; i < kBatch; ++i) {
        FreeBlock* b = c.free;
        c.free = NextOf(b);
        GiveBack(b);
    }
    c.count -= kBatch;
}

}  // namespace

void* PoolAlloc(std::size_t size)
{
    if (size == 0 || size > kLargest)
        return ::operator new(size == 0 ? 1 : size);
    const std::size_t cls = (size - 1) / kStep;
    ClassCache& c = tCache.classes[cls];
    for (;;) {
        if (FreeBlock* b = c.free) {
            c.free = NextOf(b);
            --c.count;
            ASAN_UNPOISON_MEMORY_REGION(b, size);
            return b;
        }
        const std::size_t block = BlockSize(cls);
        if (std::size_t(c.end - c.bump) >= block) {
            void* p = c.bump;
            c.bump += block;
            ASAN_UNPOISON_MEMORY_REGION(p, size);
            return p;
        }
        Refill(c, cls);
    }
}

void PoolFree(void* p, std::size_t size) noexcept
{
    if (!p)
        return;
    if (size == 0 || size > kLargest) {
        ::operator delete(p);
        return;
    }
    std::size_t cls = (size - 1) / kStep;
#ifdef JVXML_ASAN
    if (__asan_address_is_poisoned(p)) {
        std::fprintf(stderr, "XML node pool: block %p freed twice\n", p);
        __asan_describe_address(p);
        std::abort();
    }
#endif
    ASAN_POISON_MEMORY_REGION(p, BlockSize(cls));
    auto* b = static_cast<FreeBlock*>(p);
    ThreadCache& t = tCache;
    if (!t.registered) [[unlikely]] {
        if (t.gone) {
            std::lock_guard<std::mutex> guard(gCentral.lock);
            GiveBack(b);
            return;
        }
        Register(t);
    }
#ifdef JVXML_ASAN
    b = HoldBack(b);
    if (!b)
        return;
    cls = SlabOf(b)->cls;
#endif
    ClassCache& c = t.classes[cls];
    Link(b, c.free);
    c.free = b;
    if (++c.count > 2 * kBatch) [[unlikely]]
        Spill(c);
}

void PoolTrim() noexcept
{
    Central& g = gCentral;
    std::lock_guard<std::mutex> guard(g.lock);
    HandBackAll(tCache);
    for (std::size_t n = std::min(g.idle, g.emptyCount); n > 0; --n) {
        ReleaseSlab(g.empty.PopBack());
        --g.emptyCount;
    }
    g.idle = g.emptyCount;
}

PoolUsage PoolBytes() noexcept
{
    std::lock_guard<std::mutex> guard(gCentral.lock);
    return {gCentral.usedCount * kSlab, gCentral.emptyCount * kSlab};
}

}  // namespace jvxml
