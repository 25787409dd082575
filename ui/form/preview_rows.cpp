#include "ui/form/preview_rows.h"

#include <algorithm>
#include <optional>

#include "location/join_path.h"
#include "ui/form/texts.h"

namespace qomdex::form {

PreviewRows::Row PreviewRows::row(std::size_t index) const {
  const Entry& entry = rows_.at(index);
  const std::size_t start = index == 0 ? 0 : rows_[index - 1].end;
  const NativeString name = names_.substr(start, entry.name_size);
  const NativeString second =
      names_.substr(start + entry.name_size, entry.end - start - entry.name_size);
  switch (entry.outcome) {
    case Outcome::kRenamed: return {ShownName(name), ShownName(second), Tick::kTicked};
    case Outcome::kKept:
      return {ShownName(name), PreviewKeptText(static_cast<PassReport::KeptReason>(entry.detail))};
    case Outcome::kRefused:
      return {ShownName(name), PreviewRefusedText(second, errors_[entry.detail]), Tick::kTicked};
    case Outcome::kLeftOut: return {ShownName(name), kPreviewLeftOutText, Tick::kUnticked};
  }
  return {ShownName(name), {}};
}

std::u16string PreviewRows::heading() const {
  return PreviewHeading(folders_, entries_, {renamed_, kept_, errors_.size(), left_out_});
}

PreviewRows::Tick PreviewRows::tick(std::size_t index) const {
  switch (rows_.at(index).outcome) {
    case Outcome::kRenamed:
    case Outcome::kRefused: return Tick::kTicked;
    case Outcome::kLeftOut: return Tick::kUnticked;
    case Outcome::kKept: break;
  }
  return Tick::kNone;
}

NativeString PreviewRows::name(std::size_t index) const {
  const std::size_t start = index == 0 ? 0 : rows_.at(index - 1).end;
  return names_.substr(start, rows_.at(index).name_size);
}

void PreviewRows::AddRenamed(NativeStringView name, NativeStringView new_name) {
  Add(name, new_name, Outcome::kRenamed, 0);
  ++renamed_;
}

void PreviewRows::AddKept(NativeStringView name, PassReport::KeptReason reason) {
  Add(name, {}, Outcome::kKept, static_cast<std::uint32_t>(reason));
  ++kept_;
}

void PreviewRows::AddRefused(NativeStringView name, NativeStringView target,
                             const std::error_code& error) {
  Add(name, target, Outcome::kRefused, static_cast<std::uint32_t>(errors_.size()));
  errors_.push_back(error);
}

void PreviewRows::AddLeftOut(NativeStringView name) {
  Add(name, {}, Outcome::kLeftOut, 0);
  ++left_out_;
}

void PreviewRows::Add(NativeStringView name, NativeStringView second, Outcome outcome,
                      std::uint32_t detail) {
  names_.append(name);
  names_.append(second);
  rows_.push_back({names_.size(), static_cast<std::uint32_t>(name.size()), detail, outcome});
}

void PreviewRecorder::Renamed(const std::filesystem::path&, NativeStringView from,
                              NativeStringView to) {
  rows_.AddRenamed(from, to);
}

void PreviewRecorder::Kept(const PassReport::Kept& kept) {
  rows_.AddKept(LastComponent(kept.path), kept.reason);
}

void PreviewRecorder::Failed(const PassReport::Failure& failure) {
  // A dry run without a journal fails only where the real rename would be refused.
  rows_.AddRefused(LastComponent(failure.path), LastComponent(failure.target), failure.error);
}

std::size_t LeftOutNames::Toggle(const PreviewRows& rows,
                                 const std::vector<std::size_t>& selected) {
  std::size_t first = rows.count();
  std::optional<bool> tick;  // what every selected row becomes
  for (const std::size_t index : selected) {
    if (index >= rows.count() || rows.tick(index) == PreviewRows::Tick::kNone) continue;
    if (!tick) tick = rows.tick(index) == PreviewRows::Tick::kUnticked;
    const bool ticked = rows.tick(index) == PreviewRows::Tick::kTicked;
    if (ticked == *tick) continue;
    if (*tick) {
      names_.erase(rows.name(index));
    } else {
      names_.insert(rows.name(index));
    }
    first = std::min(first, index);
  }
  return first;
}

LeaveOut LeftOutNames::ForPass() const {
  if (names_.empty()) return {};
  return [this](const NativeString& name) { return names_.contains(name); };
}

LeaveOut LeftOutNames::Recording(PreviewRows& rows) const {
  if (names_.empty()) return {};
  // The pass asks once for each entry it would rename, in its order, before the entry's outcome,
  // so the row takes its place among the others.
  return [this, &rows](const NativeString& name) {
    if (!names_.contains(name)) return false;
    rows.AddLeftOut(name);
    return true;
  };
}

}  // namespace qomdex::form
