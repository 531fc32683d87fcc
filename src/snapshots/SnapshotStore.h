#pragma once
// Room for 32768 snapshot records (entry 0 heads the panel's list), allocated a block at a time
// as slots are first touched, so an empty store costs nothing and a full one its records.

#include <array>
#include <cstddef>
#include <memory>
#include <vector>

#include "panel/PanelRecords.h"

class SnapshotStore {
public:
    static constexpr int kSlots = kMaxSnapshots + 1;
    static constexpr int kBlockSize = 64;

    SnapshotStore();
    SnapshotStore(const SnapshotStore& other);
    SnapshotStore& operator=(const SnapshotStore& other);

    // The slot's record; a slot never touched before comes into being zero-filled.
    SnapshotRecord& operator[](int index);
    // The slot's record without allocating: a zero record for a slot never touched.
    const SnapshotRecord& Peek(int index) const;
    // Frees every block: all slots read as zero records again.
    void Clear();
    std::size_t AllocatedSlots() const;

private:
    using Block = std::array<SnapshotRecord, kBlockSize>;
    std::vector<std::unique_ptr<Block>> m_blocks;
};
