#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kaz {

//! A message the core tells the user, kept as its English pattern with numbered places (%1 to %9) and the
//! values that fill them, so that the window can say it in its own language: it looks the pattern up in its
//! translation and fills in the same values. kaz-cli prints the English.
struct Message {
    //! The pattern; a string literal where a message is kept, so that it lives as long as the program and
    //! names the message. A borrowed text does for a message made and said at once.
    const char* pattern = "";
    std::vector<std::string> values;
    //! Messages of their own said in the places after the values' (a language error inside a sentence about
    //! a song), each in the same language as the whole.
    std::vector<Message> inner;

    Message() = default;
    // A pattern alone reads as the message itself wherever one is asked for.
    Message(const char* messagePattern) : pattern(messagePattern) {}  // NOLINT(google-explicit-constructor)
    Message(const char* messagePattern, std::vector<std::string> placeValues)
        : pattern(messagePattern), values(std::move(placeValues)) {}
    Message(const char* messagePattern, std::vector<std::string> placeValues,
            std::vector<Message> innerMessages)
        : pattern(messagePattern), values(std::move(placeValues)), inner(std::move(innerMessages)) {}

    //! The message in English: the pattern with its places filled.
    [[nodiscard]] std::string English() const;

    //! The same message: the same pattern (by its text), the same values and the same inner messages.
    friend bool operator==(const Message& a, const Message& b) {
        return std::string_view(a.pattern) == std::string_view(b.pattern) && a.values == b.values &&
               a.inner == b.inner;
    }

    //! pattern with each %1 to %9 replaced by that value; a place without a value, and a % not followed by
    //! a digit from 1, stay as written.
    [[nodiscard]] static std::string FillPlaces(std::string_view pattern,
                                                const std::vector<std::string>& values);
};

//! Each of messages in English, in their order.
[[nodiscard]] std::vector<std::string> InEnglish(const std::vector<Message>& messages);

//! message added to messages unless they already hold it.
void AddOnce(std::vector<Message>& messages, Message message);

}  // namespace kaz
