#include "midi/device/peak_limiter.h"

#include <algorithm>
#include <cmath>

namespace kaz {

namespace {

constexpr double kLookAheadSeconds = 0.005;
constexpr double kRecoverySeconds = 0.1;

std::int16_t ToSample(double value) {
    return static_cast<std::int16_t>(std::clamp(std::lround(value * 32767.0), -32768L, 32767L));
}

}  // namespace

PeakLimiter::PeakLimiter(double ceiling, double sampleRate)
    : ceiling_(ceiling),
      lookAhead_(std::max<std::size_t>(1, static_cast<std::size_t>(kLookAheadSeconds * sampleRate))),
      recovery_(1.0 - std::exp(-1.0 / (kRecoverySeconds * sampleRate))),
      gains_(lookAhead_, 1.0),
      sum_(static_cast<double>(lookAhead_)),
      lowest_(lookAhead_),
      delayed_(2 * lookAhead_, 0.0F) {}

void PeakLimiter::Process(const float* samples, int frames, std::vector<std::int16_t>& out) {
    for (int i = 0; i < frames; ++i) {
        Push(samples[2 * i], samples[2 * i + 1], out);
    }
}

void PeakLimiter::Drain(std::vector<std::int16_t>& out) {
    for (std::size_t i = 1; i < lookAhead_; ++i) {
        Push(0.0F, 0.0F, out);
    }
}

// Frame n needs the gain g(n) to stay under the ceiling. The lowest g over the window [n - L + 1, n] is held
// and recovers slowly; the frame L - 1 back goes out times the mean of the last L held gains, which has come
// down to its own g by the time it sounds.
void PeakLimiter::Push(float left, float right, std::vector<std::int16_t>& out) {
    const auto size = static_cast<std::int64_t>(lookAhead_);
    if (lowCount_ > 0 && lowest_[lowFront_].frame <= frame_ - size) {
        lowFront_ = (lowFront_ + 1) % lookAhead_;
        --lowCount_;
    }
    const double peak = std::max(std::abs(left), std::abs(right));
    const double needed = peak > ceiling_ ? ceiling_ / peak : 1.0;
    while (lowCount_ > 0 && lowest_[(lowFront_ + lowCount_ - 1) % lookAhead_].gain >= needed) {
        --lowCount_;
    }
    lowest_[(lowFront_ + lowCount_) % lookAhead_] = {frame_, needed};
    ++lowCount_;
    held_ = std::min(lowest_[lowFront_].gain, held_ + (1.0 - held_) * recovery_);
    const auto slot = static_cast<std::size_t>(frame_ % size);
    sum_ += held_ - gains_[slot];
    gains_[slot] = held_;
    delayed_[2 * slot] = left;
    delayed_[2 * slot + 1] = right;
    ++frame_;
    if (frame_ >= size) {
        // The ring's oldest frame, L - 1 back, is in the slot the next frame takes.
        const auto oldest = static_cast<std::size_t>(frame_ % size);
        const double gain = std::min(1.0, sum_ / static_cast<double>(size));
        out.push_back(ToSample(delayed_[2 * oldest] * gain));
        out.push_back(ToSample(delayed_[2 * oldest + 1] * gain));
    }
}

}  // namespace kaz
