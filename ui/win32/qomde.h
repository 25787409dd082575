#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/form/qomde.h"
#include "ui/form/view.h"
#include "ui/win32/preview_window.h"
#include "ui/win32/progress_window.h"
#include "ui/win32/row_tooltips.h"
#include "ui/win32/win32.h"

namespace qomdex::win32 {

// The main window with native controls: builds the controls of the form's table, each with the
// form's name as its window text or class, forwards their events to the form's handlers and
// shows what the form decides.
class qomde : public form::View {
 public:
  // Takes the text of a message, its details after it, in place of the window's own.
  using Reporter = std::function<void(const std::wstring& message)>;

  // Returns the WM_COMMAND id of a command of the form's table, as its key and menu item send it.
  static int CommandItem(form::CommandId id) { return kFirstCommandItem + static_cast<int>(id); }

  // Creates the window, hidden, and runs its load rule, on `folder` when one is given. Every
  // message goes to `report`, or to a message box (a window with a scrolling list when it has
  // details) when `report` is empty. Reads the disk; never throws for anything the disk can cause.
  explicit qomde(Reporter report = {},
                 const std::optional<std::filesystem::path>& folder = std::nullopt);
  ~qomde() override;
  qomde(const qomde&) = delete;
  qomde& operator=(const qomde&) = delete;

  // Returns the top-level window.
  HWND window() const { return window_; }
  // Returns a control's window.
  HWND Control(form::ControlId id) const { return controls_.at(id); }
  // Returns the rows Dir1 shows.
  const form::DirectoryRows& dir1_rows() const { return dir1_rows_; }
  // Returns the progress window while one shows, or null.
  HWND progress_window() const { return progress_ ? progress_->window() : nullptr; }
  // Returns the preview window while one shows, or null.
  HWND preview_window() const { return preview_ ? preview_->window() : nullptr; }
  // Returns the window's keys, those of the form's commands, for the message loop to translate.
  HACCEL accelerators() const { return accelerators_; }
  // Returns a new context menu of the lists, of the form's commands it offers, as they stand
  // now; the caller destroys it.
  HMENU CreateListMenu() const;
  // Returns the tooltip of a row of Dir1 or File1: the whole name where the row draws it cut
  // short, else empty (no tooltip).
  std::wstring RowTooltip(form::ControlId list, std::size_t row) const;

  void SetTextColor(form::ControlId control, form::Bgr color) override;
  void SetHeightTwips(form::ControlId control, int twips) override;
  int OuterHeightTwips() const override;
  bool IsMinimized() const override;
  bool IsSelected(form::ControlId option) const override;
  void ShowDrives(const std::vector<std::u16string>& drives) override;
  void SelectDrive(std::optional<std::size_t> position) override;
  void ShowDirectories(const form::DirectoryRows& rows) override;
  void SelectDirectory(std::size_t row) override;
  void ShowFiles(const form::FileRows& rows) override;
  void ShowCommand(const form::Command& command) override;
  void ShowPreview(const form::PreviewRows& rows) override;
  void ShowPreviewRows(std::size_t first) override;
  void ClosePreview() override;
  void ShowMessage(const form::Message& message) override;
  void RunAside(const std::function<void()>& work) override;
  void LetEventsRun() override;
  void ShowProgress(bool cancelable) override;
  void UpdateProgress(const std::u16string& text, int permille) override;
  bool ProgressCanceled() const override;
  void CloseProgress() override;

 private:
  static constexpr int kFirstCommandItem = 1000;

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  void OnCommand(int id, int code);
  // Opens the folder of the row picked in Dir1 when the form says the gesture opens one.
  void Dir1Gesture(form::RowGesture gesture);
  void OnMouseMove(POINT at);
  LRESULT OnColor(HDC dc, HWND control);
  void OnDrawItem(const DRAWITEMSTRUCT& item);
  void OnContextMenu(HWND list, POINT at);
  // Files or folders dropped from Explorer: the form moves the lists to them.
  void OnDropFiles(HDROP drop);
  // Returns a row's text and where Dir1 or File1 draws it, in the list's client area.
  std::wstring RowText(form::ControlId list, std::size_t row) const;
  RECT RowTextPlace(form::ControlId list, RECT row_place, std::size_t row) const;
  void CreateTooltips();

  void CreateControls();
  // Places every control and gives it its font at the window's DPI.
  void Layout();
  UINT Dpi() const { return GetDpiForWindow(window_); }

  Reporter report_;
  HWND window_ = nullptr;
  form::qomde form_;
  std::vector<form::ControlEntry> table_;
  std::map<form::ControlId, HWND> controls_;
  std::map<form::ControlId, form::Bgr> text_colors_;
  std::map<form::ControlId, HBRUSH> backgrounds_;
  std::vector<HFONT> fonts_;
  form::DirectoryRows dir1_rows_;
  form::FileRows file1_rows_;
  std::vector<std::unique_ptr<RowTooltips>> tooltips_;  // Dir1's and File1's
  std::unique_ptr<ProgressWindow> progress_;
  PreviewWindow* preview_ = nullptr;
  HACCEL accelerators_ = nullptr;
};

}  // namespace qomdex::win32
