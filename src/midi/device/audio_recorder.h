#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "base/file_kinds.h"
#include "base/output_file.h"

namespace kaz {

class SoundFontSynth;

//! The built-in synthesizer's "file" audio output: what it sounds is rendered in real time, on a thread of
//! its own, into a 16-bit stereo WAV file written through OutputFile, so that a regular file is replaced
//! when the recording ends. A write that fails (a full disk) ends the recording, and Failure() says why.
class AudioRecorder {
  public:
    //! Record synth into path at sampleRate; nullptr with the reason in failure when path cannot be
    //! written, or is not of kinds.
    [[nodiscard]] static std::unique_ptr<AudioRecorder> Start(SoundFontSynth& synth, const std::string& path,
                                                              double sampleRate, FileKinds kinds,
                                                              std::string& failure);
    ~AudioRecorder();
    AudioRecorder(const AudioRecorder&) = delete;
    AudioRecorder& operator=(const AudioRecorder&) = delete;

    //! Stop recording and complete the file. Failure() then also tells whether that worked.
    void Finish();
    //! Why the recording stopped being written, in words naming the file; empty while all is well.
    [[nodiscard]] std::string Failure() const;

    AudioRecorder(SoundFontSynth& synth, std::string path, double sampleRate);

  private:
    void Record();
    //! Render and write the frames due by now; false once a write has failed.
    [[nodiscard]] bool WriteDueFrames(std::int64_t due);
    void Fail(const std::string& reason);

    SoundFontSynth& synth_;
    const std::string path_;
    const double sampleRate_;
    OutputFile file_;
    std::uint64_t dataBytes_ = 0;

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::string failure_;
    std::atomic<bool> failed_ = false;  //!< failure_ is set
    std::thread thread_;
};

}  // namespace kaz
