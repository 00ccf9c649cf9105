#include "PointArena.h"

#include <algorithm>
#include <cstdint>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

constexpr std::size_t kLargestGrowth = std::size_t(64) << 20;

#if defined(__linux__) && defined(MADV_HUGEPAGE)

// `size` bytes at a 2 MiB boundary: huge pages need an aligned range, so
// one unit more is mapped and the ragged ends are given back.
void* mapBlock(std::size_t size)
{
    const std::size_t unit = PointArena::kBlockUnit;
    void* raw =
        mmap(nullptr, size + unit, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        throw std::bad_alloc();
    char* const begin = static_cast<char*>(raw);
    const auto address = reinterpret_cast<std::uintptr_t>(begin);
    char* const aligned = begin + (unit - address % unit) % unit;
    char* const end = begin + size + unit;
    if (aligned != begin)
        munmap(begin, std::size_t(aligned - begin));
    if (aligned + size != end)
        munmap(aligned + size, std::size_t(end - (aligned + size)));
    // Only advice: without huge pages the block works all the same.
    madvise(aligned, size, MADV_HUGEPAGE);
    return aligned;
}

void unmapBlock(void* block, std::size_t size)
{
    munmap(block, size);
}
#else

void* mapBlock(std::size_t size)
{
    return ::operator new(size, std::align_val_t(alignof(std::max_align_t)));
}

void unmapBlock(void* block, std::size_t)
{
    ::operator delete(block, std::align_val_t(alignof(std::max_align_t)));
}
#endif

} // namespace

PointArena::~PointArena()
{
    for (const auto& [block, size] : m_blocks)
        unmapBlock(block, size);
}

void* PointArena::do_allocate(std::size_t bytes, std::size_t alignment)
{
    auto place = [&]() -> char* {
        if (!m_next)
            return nullptr;
        const auto address = reinterpret_cast<std::uintptr_t>(m_next);
        char* const p = m_next + (alignment - address % alignment) % alignment;
        return (p <= m_end && std::size_t(m_end - p) >= bytes) ? p : nullptr;
    };
    char* p = place();
    if (!p) {
        if (bytes > kLargestGrowth * 1024)
            throw std::bad_alloc();
        addBlock(bytes + alignment);
        p = place();
    }
    m_next = p + bytes;
    return p;
}

// Each block is as large as all before it (up to 64 MiB at a time), so
// that a large database needs few blocks and a small one little memory.
void PointArena::addBlock(std::size_t atLeast)
{
    const std::size_t wanted =
        std::max({atLeast, m_reserved > kLargestGrowth ? kLargestGrowth : m_reserved, kBlockUnit});
    const std::size_t size = (wanted + kBlockUnit - 1) / kBlockUnit * kBlockUnit;
    m_blocks.reserve(m_blocks.size() + 1);
    void* block = mapBlock(size);
    m_blocks.emplace_back(block, size);
    m_reserved += size;
    m_next = static_cast<char*>(block);
    m_end = m_next + size;
}
