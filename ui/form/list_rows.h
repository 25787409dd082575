#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "location/entry_list.h"

namespace qomdex::form {

// File1 as the window shows it: the bare names of one snapshot of a file list. Cheap to copy;
// the names are shared, not copied.
class FileRows {
 public:
  FileRows() = default;
  explicit FileRows(EntryList::State state) : state_(std::move(state)) {}

  // Returns the number of rows.
  std::size_t size() const { return state_.names ? state_.names->size() : 0; }
  // Returns the text of a row below size(), as ShownName shows a name.
  std::u16string Text(std::size_t row) const;

 private:
  EntryList::State state_;
};

// Returns the width, in twips, of an indent of `steps` in Dir1: 8 pixels a step at 96 dpi, as a
// directory list indents its folders.
constexpr int IndentTwips(std::size_t steps) { return static_cast<int>(steps) * 120; }

// What the user does to a row of a list: picks it (a click, or where a list cannot tell the two
// apart, an arrow key), double-clicks it, or presses Enter on it.
enum class RowGesture { kSelect, kDoubleClick, kEnter };

// Returns true when a gesture on a row of Dir1 opens that row's folder: a double click or Enter,
// as in a directory list; picking a row only selects it.
constexpr bool OpensFolder(RowGesture gesture) { return gesture != RowGesture::kSelect; }

// Dir1 as a directory list shows it: the path's ancestors from the root down to the directory
// itself as open folders, each indented one step further, then its subfolders as closed folders
// one step further still. Cheap to copy; the names are shared, not copied.
class DirectoryRows {
 public:
  DirectoryRows() = default;
  explicit DirectoryRows(EntryList::State state);

  // Returns the number of rows.
  std::size_t size() const { return ancestors_.size() + SubfolderCount(); }
  // Returns the row of the directory itself; empty when no directory is shown.
  std::optional<std::size_t> current_row() const;
  // Returns the text of a row below size(), as ShownName shows it: the root's whole path, else a
  // folder's name.
  std::u16string Text(std::size_t row) const;
  // Returns a row's indent in steps (IndentTwips gives their width).
  std::size_t Indent(std::size_t row) const;
  // Returns true for the directory and its ancestors, false for its subfolders.
  bool IsOpen(std::size_t row) const { return row < ancestors_.size(); }
  // Returns the full path of the folder at a row; throws std::out_of_range past the last row.
  std::filesystem::path PathAt(std::size_t row) const;

 private:
  std::size_t SubfolderCount() const { return state_.names ? state_.names->size() : 0; }

  EntryList::State state_;
  std::vector<std::filesystem::path> ancestors_;
};

}  // namespace qomdex::form
