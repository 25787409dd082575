#include "tests/form/fake_view.h"

#include <thread>

#include "location/text_encoding.h"
#include "tests/support/dir1_walk.h"
#include "ui/form/qomde.h"

namespace qomdex::testing {

void FakeView::SetTextColor(form::ControlId control, form::Bgr color) {
  colors.emplace_back(control, color);
}

void FakeView::SetHeightTwips(form::ControlId control, int twips) { heights[control] = twips; }

void FakeView::ShowDirectories(const form::DirectoryRows& rows) {
  dir1 = rows;
  dir1_row.reset();
}

void FakeView::ShowCommand(const form::Command& command) {
  if (command.id != form::CommandId::kUndo) return;
  undo_text = command.caption;
  undo_enabled = command.enabled;
}

void FakeView::ShowPreview(const form::PreviewRows& rows) {
  previews.push_back(rows);
  if (in_preview) in_preview(rows);
}

void FakeView::ShowMessage(const form::Message& message) {
  messages.push_back(message.text + u'\n' + message.details);
  details.push_back(Narrow(message.details));
}

void FakeView::ShowProgress(bool cancelable) {
  progress.push_back(cancelable ? "show" : "show without Cancel");
}

void FakeView::RunAside(const std::function<void()>& work) {
  ++asides;
  std::thread(work).join();
}

void FakeView::LetEventsRun() {
  ++events_run;
  if (on_update) on_update();
}

void FakeView::UpdateProgress(const std::u16string& text, int permille) {
  progress.push_back(std::string("update ").append(std::to_string(permille)) + " " + Narrow(text));
  if (on_update) on_update();
}

std::vector<std::string> FakeView::Subfolders() const {
  std::vector<std::string> names;
  for (std::size_t row = dir1_row.value_or(0) + 1; row < dir1.size(); ++row) {
    names.push_back(Narrow(dir1.Text(row)));
  }
  return names;
}

std::vector<std::string> FakeView::Files() const {
  std::vector<std::string> names;
  for (std::size_t row = 0; row < files.size(); ++row) names.push_back(Narrow(files.Text(row)));
  return names;
}

bool FakeView::Open(form::qomde& window, const std::filesystem::path& directory) const {
  return WalkDir1(
      directory, [this]() -> const form::DirectoryRows& { return dir1; },
      [&](std::size_t row) { window.Dir1Change(row); });
}

std::u16string U16(const std::string& text) { return std::u16string(text.begin(), text.end()); }

std::string Narrow(const std::u16string& text) {
  std::string narrow;
  for (const char16_t c : text) narrow.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return narrow;
}

}  // namespace qomdex::testing
