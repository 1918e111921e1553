#pragma once

#include <cstddef>
#include <vector>

// Memory for the rows of one result, taken from the system in large chunks that may be backed by huge
// pages, so reading a large result costs few page faults. Everything is given back at once.
class RowArena
{
public:
    RowArena() = default;
    ~RowArena();
    RowArena(const RowArena&) = delete;
    RowArena& operator=(const RowArena&) = delete;

    // Room for a row, aligned for its table of offsets; null when the row is too large for a chunk.
    char* Allocate(std::size_t bytes);
    // Takes over the memory of another arena, whose rows then live as long as this one.
    void Adopt(RowArena&& other);

private:
    struct Chunk
    {
        char* base;
        std::size_t size;
        std::size_t used;
    };
    std::vector<Chunk> m_chunks;
    std::size_t m_reserved = 0;
};
