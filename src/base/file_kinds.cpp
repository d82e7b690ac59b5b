#include "base/file_kinds.h"

#include <string>

namespace kaz {

namespace {

class FileKindCategory final : public std::error_category {
  public:
    [[nodiscard]] const char* name() const noexcept override { return "kaz-file-kind"; }
    [[nodiscard]] std::string message(int) const override { return "not a regular file"; }
};

}  // namespace

std::error_code NotRegularFileError() {
    static const FileKindCategory category;
    return {1, category};
}

}  // namespace kaz
