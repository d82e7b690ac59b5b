#pragma once

#include <streambuf>

namespace kaz {

//! Keep the sound libraries' own messages off standard error: a machine without a sound card or a MIDI
//! system is an ordinary case here, reported by the program in its own words.
void SilenceSoundLibraryLogging();

//! Swaps std::cerr's buffer for a discarding one for as long as it lives; the MIDI library writes its
//! warnings there before a caller can install its own handler.
class QuietErrorStream {
  public:
    QuietErrorStream();
    ~QuietErrorStream();
    QuietErrorStream(const QuietErrorStream&) = delete;
    QuietErrorStream& operator=(const QuietErrorStream&) = delete;

  private:
    class DiscardBuffer final : public std::streambuf {
      protected:
        int overflow(int c) override { return traits_type::not_eof(c); }
    };

    DiscardBuffer discard_;
    std::streambuf* saved_;
};

}  // namespace kaz
