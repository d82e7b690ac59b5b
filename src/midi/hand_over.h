#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

namespace kaz {

//! The latest of the values that one thread publishes, for one other thread to read. Neither ever waits for
//! the other and nothing is allocated: three copies of the value go round between the writer, the reader
//! and the middle, each in the hands of one thread at a time.
template <typename T>
class LatestValue {
  public:
    //! From the writing thread: make value the one the reader gets next.
    void Publish(const T& value) {
        slots_[written_] = value;
        // Release the copy just written, and take back the one the reader left in the middle.
        written_ =
            middle_.exchange(static_cast<std::uint8_t>(written_ | kFresh), std::memory_order_acq_rel) & kSlot;
    }

    //! From the reading thread: the value published last, a default one before the first. It stays as it
    //! is until the next call.
    [[nodiscard]] const T& Latest() {
        if ((middle_.load(std::memory_order_acquire) & kFresh) != 0) {
            read_ = middle_.exchange(read_, std::memory_order_acq_rel) & kSlot;
        }
        return slots_[read_];
    }

  private:
    static constexpr std::uint8_t kSlot = 0x3;
    static constexpr std::uint8_t kFresh = 0x4;  //!< the middle copy is newer than the reader's

    std::array<T, 3> slots_{};
    std::uint8_t written_ = 0;             //!< the writer's copy
    std::atomic<std::uint8_t> middle_{1};  //!< the copy in between, and whether it is fresh
    std::uint8_t read_ = 2;                //!< the reader's copy
};

//! Values passed in order from one thread to one other, up to Capacity of them at a time. Neither thread
//! ever waits for the other and nothing is allocated.
template <typename T, std::size_t Capacity>
class HandOverQueue {
  public:
    //! From the sending thread: false, and nothing passed, when the queue is full.
    [[nodiscard]] bool Push(const T& value) {
        const std::size_t tail = tail_.load(std::memory_order_relaxed);
        if (tail - head_.load(std::memory_order_acquire) == Capacity) {
            return false;
        }
        slots_[tail % Capacity] = value;
        tail_.store(tail + 1, std::memory_order_release);
        return true;
    }

    //! From the receiving thread: take the oldest value into value; false when there is none.
    [[nodiscard]] bool Pop(T& value) {
        const std::size_t head = head_.load(std::memory_order_relaxed);
        if (head == tail_.load(std::memory_order_acquire)) {
            return false;
        }
        value = slots_[head % Capacity];
        head_.store(head + 1, std::memory_order_release);
        return true;
    }

  private:
    std::array<T, Capacity> slots_{};
    std::atomic<std::size_t> head_{0};  //!< the next value to take; the receiver's
    std::atomic<std::size_t> tail_{0};  //!< the next free place; the sender's
};

}  // namespace kaz
