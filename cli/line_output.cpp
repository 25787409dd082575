#include "cli/line_output.h"

#include <cerrno>

namespace qomdex::cli {
namespace {

constexpr auto kLongestHold = std::chrono::milliseconds(100);
constexpr std::size_t kLargestHold = 64 * 1024;

}  // namespace

LineOutput::LineOutput(std::ostream& out, std::function<Clock::time_point()> now)
    : out_(out), now_(std::move(now)), last_flush_(now_()) {}

void LineOutput::Line(std::string_view text, bool for_rename) {
  if (for_rename) ++unconfirmed_renames_;
  if (failed()) return;
  pending_.append(text);
  pending_.push_back('\n');
  if (pending_.size() >= kLargestHold || now_() - last_flush_ >= kLongestHold) Flush();
}

bool LineOutput::Flush() {
  if (failed()) return false;
  errno = 0;
  out_.write(pending_.data(), static_cast<std::streamsize>(pending_.size()));
  out_.flush();
  if (!out_.good()) {
    // The stream keeps no reason; the failed write left it in errno.
    error_ = errno != 0 ? std::error_code(errno, std::generic_category())
                        : std::make_error_code(std::errc::io_error);
    return false;
  }
  pending_.clear();
  last_flush_ = now_();
  unconfirmed_renames_ = 0;
  return true;
}

}  // namespace qomdex::cli
