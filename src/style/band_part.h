#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kaz {

//! The middle of the stereo picture, as the pan controller takes it.
inline constexpr std::uint8_t kPanCentre = 64;

//! One player of the band: the part's name, its channel, instrument, volume and place in the stereo picture,
//! and whether the mixer lets it sound. A program or volume left unset is the style's, or for the block
//! chords the part's default.
struct Part {
    std::string id;  //!< "comping", "bass", "drums", "guitar", "pad"
    std::uint8_t channel = 0;
    std::optional<std::uint8_t> program;
    std::optional<std::uint8_t> volume;  //!< 0..127: the velocity of a plain hit
    std::optional<std::uint8_t> pan;     //!< 0 left .. 127 right
    bool muted = false;
    bool solo = false;

    friend bool operator==(const Part&, const Part&) = default;
};

//! What a part plays when neither the user nor the style says otherwise.
struct PartDefaults {
    std::string_view id;
    std::uint8_t channel;
    std::uint8_t program;
    std::uint8_t volume;
    std::uint8_t pan;        //!< where a style places it
    std::uint8_t reverb;     //!< how much room a style gives it
    std::string_view title;  //!< as the mixer shows it
};

//! The parts a band can have, in the order the mixer shows them. Adding a part is one entry here and its
//! rows in the style files.
inline constexpr PartDefaults kPartTable[] = {
    {"comping", 0, 26, 80, 78, 40, "Comping"},  // jazz guitar; the chord voice of the block chords
    {"bass", 1, 32, 75, 60, 18, "Bass"},        // acoustic bass
    {"guitar", 2, 26, 70, 36, 36, "Guitar"},    // a second chord instrument
    {"pad", 3, 89, 60, 72, 70, "Pad"},          // held chords under a ballad
    {"drums", 9, 0, 100, 64, 30, "Drums"},      // volume: percent of the style's drums
};

//! The count-in's channel: apart from the drums', so the mixer and a muted drum part leave it alone.
inline constexpr std::uint8_t kCountInChannel = 15;
//! The count-in's sound on that channel: General MIDI's wood block.
inline constexpr std::uint8_t kCountInProgram = 115;

//! The defaults of the part called id; nullptr for a name no part has.
[[nodiscard]] const PartDefaults* PartDefaultsOf(std::string_view id);

//! Whose instrument the band leaves out so a player can play along: "minus one".
enum class MinusOne : std::uint8_t { None, Bass, Piano, Guitar };

//! The band's parts as the user set them: every part of the table, in its order.
class BandParts {
  public:
    BandParts();

    [[nodiscard]] Part& operator[](std::string_view id);
    [[nodiscard]] const Part& operator[](std::string_view id) const;
    [[nodiscard]] const std::vector<Part>& All() const { return parts_; }
    [[nodiscard]] std::vector<Part>& All() { return parts_; }

    //! Whether the part may sound: not muted, and when any part is soloed, soloed itself.
    [[nodiscard]] bool Sounds(std::string_view id) const;
    //! Whether the part may sound playing program: Sounds, and not the instrument left out for the player.
    [[nodiscard]] bool Plays(std::string_view id, std::uint8_t program) const;
    //! The part's program and volume as the block chords play them: the user's, else the part's default.
    [[nodiscard]] std::uint8_t Program(std::string_view id) const;
    [[nodiscard]] std::uint8_t Volume(std::string_view id) const;

    friend bool operator==(const BandParts&, const BandParts&) = default;

    MinusOne minusOne = MinusOne::None;

  private:
    template <typename Parts>
    static auto& Find(Parts& parts, std::string_view id);

    std::vector<Part> parts_;
};

}  // namespace kaz
