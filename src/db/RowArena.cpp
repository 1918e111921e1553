#include "RowArena.h"

#include <sys/mman.h>

#include <algorithm>

namespace {

// Chunks grow with the result, from a small first one to this size.
constexpr std::size_t FirstChunkBytes = std::size_t(1) << 20;
constexpr std::size_t ChunkBytes = std::size_t(64) << 20;
// Chunks from this size on are worth huge pages.
constexpr std::size_t HugeChunkBytes = std::size_t(8) << 20;
// Rows larger than this get memory of their own.
constexpr std::size_t LargestRow = FirstChunkBytes / 4;
constexpr std::size_t Alignment = alignof(std::max_align_t);

} // namespace

RowArena::~RowArena()
{
    for (const Chunk& chunk : m_chunks)
        munmap(chunk.base, chunk.size);
}

char* RowArena::Allocate(std::size_t bytes)
{
    bytes = (bytes + Alignment - 1) / Alignment * Alignment;
    if (bytes > LargestRow)
        return nullptr;
    if (m_chunks.empty() || m_chunks.back().used + bytes > m_chunks.back().size) {
        const std::size_t size = std::clamp(m_reserved, FirstChunkBytes, ChunkBytes);
        void* base = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (base == MAP_FAILED)
            return nullptr;
        if (size >= HugeChunkBytes)
            madvise(base, size, MADV_HUGEPAGE);
        m_chunks.push_back({static_cast<char*>(base), size, 0});
        m_reserved += size;
    }
    Chunk& chunk = m_chunks.back();
    char* row = chunk.base + chunk.used;
    chunk.used += bytes;
    return row;
}

void RowArena::Adopt(RowArena&& other)
{
    // The other arena's last chunk goes before this one's, which new rows keep filling.
    m_chunks.insert(m_chunks.end() - (m_chunks.empty() ? 0 : 1), other.m_chunks.begin(),
                    other.m_chunks.end());
    m_reserved += other.m_reserved;
    other.m_chunks.clear();
    other.m_reserved = 0;
}
