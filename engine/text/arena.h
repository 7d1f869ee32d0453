// Block memory that is freed as a whole. Records are taken from the front of
// the current block and strings from its back; when a block is full a new one
// is put at the head of the chain. Nothing taken from an arena is destroyed
// one by one, so only trivially destructible records belong here.
//
// The language data set keeps one arena for its whole life; every request
// (and every sentence tagged by a caller) uses an arena of its own.
#pragma once

#include <cstddef>
#include <new>
#include <string_view>
#include <type_traits>

namespace zintra {

class Arena {
  public:
    static constexpr size_t kDefaultBlockSize = 10240;

    explicit Arena(size_t blockSize = kDefaultBlockSize);
    ~Arena();
    Arena(const Arena&) = delete;
    Arena& operator=(const Arena&) = delete;
    Arena(Arena&& other) noexcept;
    Arena& operator=(Arena&& other) noexcept;

    // Raw record memory from the front of the block, aligned for any pointer
    // or integer record (sizes are rounded up to a multiple of 8).
    void* allocate(size_t size);
    // Raw string memory from the back of the block (sizes rounded up to 4).
    char* allocateString(size_t size);

    // A value-initialised record (all fields zero unless T says otherwise).
    template <class T>
    T* make() {
        static_assert(std::is_trivially_destructible_v<T>, "arena records are never destroyed");
        return new (allocate(sizeof(T))) T{};
    }
    // An array of n value-initialised records.
    template <class T>
    T* makeArray(size_t n) {
        static_assert(std::is_trivially_destructible_v<T>, "arena records are never destroyed");
        if (n == 0) return nullptr;
        if (n > static_cast<size_t>(-1) / 2 / sizeof(T)) throw std::bad_alloc();
        T* items = static_cast<T*>(allocate(sizeof(T) * n));
        for (size_t i = 0; i < n; ++i) new (items + i) T{};
        return items;
    }

    // A zero-terminated copy of text.
    const char* copy(std::string_view text);
    char* copyMutable(std::string_view text);

    // Frees everything taken so far. One block of the default size is kept
    // for reuse, so a caller that clears the arena per sentence does not go
    // back to the system allocator.
    void clear();

    // Bytes of block memory the arena holds (headers included).
    size_t bytesHeld() const { return bytesHeld_; }

  private:
    struct Block;
    Block* newBlock(size_t minimumFree);
    void freeChain(Block* block);

    size_t blockSize_;
    Block* head_ = nullptr;
    size_t bytesHeld_ = 0;
};

}  // namespace zintra
