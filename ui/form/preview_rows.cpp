#include "ui/form/preview_rows.h"

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
    case Outcome::kRenamed: return {ShownName(name), ShownName(second)};
    case Outcome::kKept:
      return {ShownName(name), PreviewKeptText(static_cast<PassReport::KeptReason>(entry.detail))};
    case Outcome::kRefused:
      return {ShownName(name), PreviewRefusedText(second, errors_[entry.detail])};
  }
  return {ShownName(name), {}};
}

std::u16string PreviewRows::heading() const {
  return PreviewHeading(folders_, entries_, renamed_, kept_, errors_.size());
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

}  // namespace qomdex::form
