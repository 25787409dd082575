#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/pass_options.h"
#include "location/native_name.h"

namespace qomdex::cli {

// A shell wildcard matched against a whole name as fnmatch without flags matches it, on every
// system alike and character by character: '*' any run of characters, '?' one character,
// '[...]' one of a set ('!' or '^' first negates it; ranges 'a-z'; the classes '[:digit:]',
// '[:alpha:]', '[:alnum:]', '[:upper:]', '[:lower:]', '[:space:]', '[:punct:]' of ASCII), '\'
// takes the next character as it is; an unclosed '[' is itself. Case counts. A byte that is not
// part of UTF-8 text is a character of its own.
class Wildcard {
 public:
  // Takes the pattern as UTF-8 (on POSIX, as the bytes it was given).
  explicit Wildcard(std::string_view pattern);

  // Returns true when the whole of `name` matches.
  bool Matches(const NativeString& name) const;

 private:
  std::u32string pattern_;
};

// Returns what a pass leaves out for --exclude: each entry whose bare name matches one of
// `patterns`; nothing when there are none.
LeaveOut ExcludedBy(const std::vector<std::string>& patterns);

}  // namespace qomdex::cli
