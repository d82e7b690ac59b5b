#pragma once

#include <cstdint>
#include <vector>

namespace kaz {

//! Keeps the peaks of rendered stereo audio under a ceiling without clipping them: the gain comes down
//! smoothly just before a peak (it looks ahead a few milliseconds, so the audio comes out that much later)
//! and recovers over a tenth of a second. Audio that stays under the ceiling passes unchanged.
class PeakLimiter {
  public:
    //! ceiling: the highest sample allowed, full scale being 1.0.
    PeakLimiter(double ceiling, double sampleRate);

    //! Take frames of interleaved stereo and append to out, as 16-bit samples, what has come through.
    void Process(const float* samples, int frames, std::vector<std::int16_t>& out);
    //! Append to out what is still held back.
    void Drain(std::vector<std::int16_t>& out);

  private:
    struct Low {
        std::int64_t frame;
        double gain;
    };

    void Push(float left, float right, std::vector<std::int16_t>& out);

    double ceiling_;
    std::size_t lookAhead_;  //!< frames held back: the length of the gain's fall before a peak
    double recovery_;        //!< the share of the way back to full gain taken each frame
    double held_ = 1.0;      //!< the gain the peaks leave, recovering
    //! The last lookAhead_ held gains, a ring, and their sum: their mean is the gain applied.
    std::vector<double> gains_;
    double sum_;
    //! The gains the coming peaks need, rising from the lowest, a ring: the front is the window's minimum.
    std::vector<Low> lowest_;
    std::size_t lowFront_ = 0;
    std::size_t lowCount_ = 0;
    std::vector<float> delayed_;  //!< the frames held back, a ring of interleaved stereo
    std::int64_t frame_ = 0;
};

}  // namespace kaz
