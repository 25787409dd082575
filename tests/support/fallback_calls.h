#pragma once

#include <functional>
#include <utility>

#include "location/platform.h"

namespace qomdex::testing {

// The system's calls on a file system without the never-replacing rename (kLink) or hard links
// too (kReservation). `between` acts once, as another program (or a kill) would, between the two
// steps of a fallback: after the link is made; after the placeholder is made and witnessed,
// before the look that precedes the rename over it. Or, for a linked file's old name, the instant
// before it is moved out of the way to be removed (kAsTheOldNameGoes), or once it is.
class FallbackCalls : public platform::SystemCallsWrapper {
 public:
  using Dir = platform::Directory;
  enum class Fallback { kLink, kReservation };
  enum class Moment { kBetweenTheSteps, kAsTheOldNameGoes, kOnceTheOldNameIsAside };
  explicit FallbackCalls(Fallback fallback, std::function<void()> between = nullptr,
                         Moment moment = Moment::kBetweenTheSteps)
      : SystemCallsWrapper(platform::SystemCalls::Native()),
        fallback_(fallback),
        between_(std::move(between)),
        moment_(moment) {}

  std::error_code RenameNoReplace(const Dir&, const NativeString&, const NativeString&) override {
    return std::make_error_code(std::errc::not_supported);
  }
  std::error_code Link(const Dir& dir, const NativeString& from, const NativeString& to) override {
    if (fallback_ == Fallback::kReservation) return std::make_error_code(std::errc::not_supported);
    const std::error_code error = SystemCallsWrapper::Link(dir, from, to);
    if (!error && moment_ == Moment::kBetweenTheSteps && between_) {
      std::exchange(between_, nullptr)();
    }
    return error;
  }
  std::error_code RenameReplacing(const Dir& dir, const NativeString& from,
                                  const NativeString& to) override {
    if (moment_ == Moment::kAsTheOldNameGoes && between_) std::exchange(between_, nullptr)();
    const std::error_code error = SystemCallsWrapper::RenameReplacing(dir, from, to);
    if (moment_ == Moment::kOnceTheOldNameIsAside && between_) std::exchange(between_, nullptr)();
    return error;
  }
  std::error_code RenameOverPlaceholder(const Dir& dir, const NativeString& from,
                                        const NativeString& to,
                                        const platform::Placeholder& placeholder) override {
    if (between_) std::exchange(between_, nullptr)();
    return SystemCallsWrapper::RenameOverPlaceholder(dir, from, to, placeholder);
  }

 private:
  Fallback fallback_;
  std::function<void()> between_;
  Moment moment_;
};

}  // namespace qomdex::testing
