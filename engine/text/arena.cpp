#include "engine/text/arena.h"

#include <cstdlib>
#include <cstring>
#include <utility>

namespace zintra {

// A block: this header, then the records growing up from `front` and the
// strings growing down from `back`.
struct alignas(16) Arena::Block {
    Block* next;
    char* front;
    char* back;
    size_t size;  // whole block, header included
};

namespace {

constexpr size_t kRecordAlign = 8;
constexpr size_t kStringAlign = 4;

size_t roundUp(size_t size, size_t to) {
    if (size > static_cast<size_t>(-1) - to) throw std::bad_alloc();
    return (size + to - 1) / to * to;
}

}  // namespace

Arena::Arena(size_t blockSize) : blockSize_(blockSize < sizeof(Block) + 64 ? sizeof(Block) + 64 : blockSize) {}

Arena::~Arena() { freeChain(head_); }

Arena::Arena(Arena&& other) noexcept
    : blockSize_(other.blockSize_),
      head_(std::exchange(other.head_, nullptr)),
      bytesHeld_(std::exchange(other.bytesHeld_, 0)) {}

Arena& Arena::operator=(Arena&& other) noexcept {
    if (this != &other) {
        freeChain(head_);
        blockSize_ = other.blockSize_;
        head_ = std::exchange(other.head_, nullptr);
        bytesHeld_ = std::exchange(other.bytesHeld_, 0);
    }
    return *this;
}

void Arena::freeChain(Block* block) {
    while (block) {
        Block* next = block->next;
        std::free(block);
        block = next;
    }
}

Arena::Block* Arena::newBlock(size_t minimumFree) {
    size_t size = blockSize_;
    if (minimumFree > size - sizeof(Block)) {
        if (minimumFree > static_cast<size_t>(-1) - sizeof(Block)) throw std::bad_alloc();
        size = minimumFree + sizeof(Block);
    }
    void* memory = std::aligned_alloc(alignof(Block), roundUp(size, alignof(Block)));
    if (!memory) throw std::bad_alloc();
    Block* block = static_cast<Block*>(memory);
    block->next = head_;
    block->front = reinterpret_cast<char*>(block + 1);
    block->back = reinterpret_cast<char*>(block) + size;
    block->size = size;
    head_ = block;
    bytesHeld_ += size;
    return block;
}

void* Arena::allocate(size_t size) {
    size = roundUp(size == 0 ? 1 : size, kRecordAlign);
    Block* block = head_;
    if (!block || static_cast<size_t>(block->back - block->front) < size) block = newBlock(size);
    void* result = block->front;
    block->front += size;
    return result;
}

char* Arena::allocateString(size_t size) {
    size = roundUp(size == 0 ? 1 : size, kStringAlign);
    Block* block = head_;
    if (!block || static_cast<size_t>(block->back - block->front) < size) block = newBlock(size);
    block->back -= size;
    return block->back;
}

char* Arena::copyMutable(std::string_view text) {
    char* s = allocateString(text.size() + 1);
    if (!text.empty()) std::memcpy(s, text.data(), text.size());
    s[text.size()] = '\0';
    return s;
}

const char* Arena::copy(std::string_view text) { return copyMutable(text); }

void Arena::clear() {
    // Keep one block of the default size (the oldest such block) for reuse.
    Block* keep = nullptr;
    Block* block = head_;
    while (block) {
        Block* next = block->next;
        if (!keep && block->size == blockSize_) {
            keep = block;
        } else {
            std::free(block);
        }
        block = next;
    }
    head_ = keep;
    bytesHeld_ = 0;
    if (keep) {
        keep->next = nullptr;
        keep->front = reinterpret_cast<char*>(keep + 1);
        keep->back = reinterpret_cast<char*>(keep) + keep->size;
        bytesHeld_ = keep->size;
    }
}

}  // namespace zintra
