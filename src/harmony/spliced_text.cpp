#include "harmony/spliced_text.h"

#include <algorithm>

namespace kaz {

namespace {

std::size_t Clamp(int offset, std::size_t size) {
    return offset < 0 ? 0 : std::min(static_cast<std::size_t>(offset), size);
}

}  // namespace

std::size_t SplicedText::Replace(TextRange range, std::string_view replacement) {
    const std::size_t length = size();
    const std::size_t start = Clamp(range.start, length);
    const std::size_t end = std::max(start, Clamp(range.end, length));
    if (start < done_.size()) {
        Join();
    }
    if (done_.empty()) {
        done_.reserve(rest_.size() - restStart_ + replacement.size());
    }
    const std::size_t untouched = start - done_.size();
    done_.append(rest_, restStart_, untouched);
    done_.append(replacement);
    restStart_ += untouched + (end - start);
    return done_.size();
}

const std::string& SplicedText::Text() const {
    Join();
    return rest_;
}

void SplicedText::Join() const {
    if (done_.empty()) {
        rest_.erase(0, restStart_);
    } else {
        done_.append(rest_, restStart_);
        rest_ = std::move(done_);
        done_.clear();
    }
    restStart_ = 0;
}

}  // namespace kaz
