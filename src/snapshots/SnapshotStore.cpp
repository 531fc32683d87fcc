#include "snapshots/SnapshotStore.h"

namespace {
constexpr int kBlockCount =
    (SnapshotStore::kSlots + SnapshotStore::kBlockSize - 1) / SnapshotStore::kBlockSize;
const SnapshotRecord kEmptySnapshot{};
} // namespace

SnapshotStore::SnapshotStore() : m_blocks(kBlockCount) {}

SnapshotStore::SnapshotStore(const SnapshotStore& other) : m_blocks(kBlockCount) {
    *this = other;
}

SnapshotStore& SnapshotStore::operator=(const SnapshotStore& other) {
    if (this == &other) {
        return *this;
    }
    for (int b = 0; b < kBlockCount; ++b) {
        if (!other.m_blocks[b]) {
            m_blocks[b].reset();
        } else if (m_blocks[b]) {
            *m_blocks[b] = *other.m_blocks[b];
        } else {
            m_blocks[b] = std::make_unique<Block>(*other.m_blocks[b]);
        }
    }
    return *this;
}

SnapshotRecord& SnapshotStore::operator[](int index) {
    std::unique_ptr<Block>& block = m_blocks[static_cast<std::size_t>(index / kBlockSize)];
    if (!block) {
        block = std::make_unique<Block>();
    }
    return (*block)[static_cast<std::size_t>(index % kBlockSize)];
}

const SnapshotRecord& SnapshotStore::Peek(int index) const {
    const std::unique_ptr<Block>& block = m_blocks[static_cast<std::size_t>(index / kBlockSize)];
    return block ? (*block)[static_cast<std::size_t>(index % kBlockSize)] : kEmptySnapshot;
}

void SnapshotStore::Clear() {
    for (auto& block : m_blocks) {
        block.reset();
    }
}

std::size_t SnapshotStore::AllocatedSlots() const {
    std::size_t blocks = 0;
    for (const auto& block : m_blocks) {
        blocks += block ? 1 : 0;
    }
    return blocks * kBlockSize;
}
