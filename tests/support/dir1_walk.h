#pragma once

// The one way every test and window benchmark opens a directory in Dir1, whatever shows the
// window: one folder at a time from the root, as a user would.

#include <algorithm>
#include <cstddef>
#include <cwctype>
#include <filesystem>
#include <optional>

#include "ui/form/list_rows.h"
#include "ui/form/texts.h"

namespace qomdex::testing {

// Returns the row of Dir1 after the current one that shows the folder `name`, if any. Case is
// ignored, as a Windows path may spell a folder otherwise than the folder's own name does.
inline std::optional<std::size_t> SubfolderRow(const form::DirectoryRows& rows,
                                               const NativeString& name) {
  const std::u16string shown = form::ShownName(name);
  const auto same = [](char16_t a, char16_t b) {
    return std::towupper(static_cast<wint_t>(a)) == std::towupper(static_cast<wint_t>(b));
  };
  for (std::size_t row = rows.current_row().value_or(0) + 1; row < rows.size(); ++row) {
    if (std::ranges::equal(rows.Text(row), shown, same)) return row;
  }
  return std::nullopt;
}

// Opens `directory` in Dir1 from the root: `rows()` returns the rows Dir1 shows now, and
// `open(row)` opens a row as the view's user does. Returns false when a folder on the way is not
// listed.
template <typename Rows, typename Open>
bool WalkDir1(const std::filesystem::path& directory, Rows rows, Open open) {
  for (const std::filesystem::path& part : directory.relative_path()) {
    const std::optional<std::size_t> row = SubfolderRow(rows(), part.native());
    if (!row) return false;
    open(*row);
  }
  return true;
}

}  // namespace qomdex::testing
