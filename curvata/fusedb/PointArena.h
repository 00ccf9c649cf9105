#pragma once

#include <cstddef>
#include <memory_resource>
#include <utility>
#include <vector>

// Where a database keeps the points of all its curves: memory handed out
// from a few large blocks and freed all at once with the arena, as points
// are never freed before their database.
//
// The blocks are whole multiples of 2 MiB and, where the system offers
// transparent huge pages, mapped with them: filling tens of megabytes of
// points then costs a few page faults instead of thousands, which on a
// virtual machine is most of the time a load takes. Untouched parts of the
// last block take address space only.
class PointArena : public std::pmr::memory_resource
{
public:
    static constexpr std::size_t kBlockUnit = std::size_t(2) << 20;

    PointArena() = default;
    ~PointArena() override;
    PointArena(const PointArena&) = delete;
    PointArena& operator=(const PointArena&) = delete;

private:
    void* do_allocate(std::size_t bytes, std::size_t alignment) override;
    // Memory comes back only with the whole arena.
    void do_deallocate(void*, std::size_t, std::size_t) override {}
    bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override
    {
        return this == &other;
    }

    void addBlock(std::size_t atLeast);

    std::vector<std::pair<void*, std::size_t>> m_blocks;
    char* m_next = nullptr;
    char* m_end = nullptr;
    std::size_t m_reserved = 0;
};
