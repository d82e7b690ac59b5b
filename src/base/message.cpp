#include "base/message.h"

#include <algorithm>

namespace kaz {

std::string Message::FillPlaces(std::string_view pattern, const std::vector<std::string>& values) {
    std::string filled;
    filled.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const bool place =
            pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9';
        const auto index = place ? static_cast<std::size_t>(pattern[i + 1] - '1') : values.size();
        if (index < values.size()) {
            filled += values[index];
            ++i;
        } else {
            filled += pattern[i];
        }
    }
    return filled;
}

std::string Message::English() const {
    std::vector<std::string> places = values;
    for (const Message& message : inner) {
        places.push_back(message.English());
    }
    return FillPlaces(pattern, places);
}

std::vector<std::string> InEnglish(const std::vector<Message>& messages) {
    std::vector<std::string> english;
    english.reserve(messages.size());
    for (const Message& message : messages) {
        english.push_back(message.English());
    }
    return english;
}

void AddOnce(std::vector<Message>& messages, Message message) {
    if (std::find(messages.begin(), messages.end(), message) == messages.end()) {
        messages.push_back(std::move(message));
    }
}

}  // namespace kaz
