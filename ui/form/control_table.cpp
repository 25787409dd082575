#include "ui/form/control_table.h"

#include <algorithm>

#include "engine/version.h"

namespace qomdex::form {
namespace {

constexpr Bgr kOptionText = 0x000000FF;  // red
constexpr Bgr kLabel6Back = 0x00C0FFFF;  // light yellow
constexpr Bgr kCreditBack = 0x00FFFFFF;  // white
constexpr int kCreditLeft = 7080;
constexpr int kCreditHeight = 300;
constexpr ControlFont kDefaultFont{};
constexpr ControlFont kOptionFont{18, 400};
constexpr ControlFont kCommandFont{9.75, 700};
constexpr ControlFont kCreditFont{12, 400};

std::u16string Ascii(const char* text) {
  return std::u16string(text, text + std::char_traits<char>::length(text));
}

ControlEntry List(ControlId id, const char* name, ControlKind kind, TwipsRect place, int tab,
                  bool shown) {
  return {id, name, kind, place, {}, kDefaultFont, {}, {}, tab, shown, false};
}

ControlEntry CreditLine(ControlId id, const char* name, int top, std::u16string text, Bgr color,
                        Bgr background, int tab) {
  return {id,
          name,
          ControlKind::kLabel,
          {kCreditLeft, top, 0, kCreditHeight},
          text,
          kCreditFont,
          color,
          background,
          tab,
          true,
          true};
}

// Gives a shown control what a screen reader says of it; a caption or a credit line is read as
// it stands.
void Describe(ControlEntry& control) {
  using enum ControlId;
  constexpr char16_t kKeys[] =
      u" F5 reads the lists again; Ctrl+P shows what the command would do; Ctrl+Z undoes the last "
      u"rename.";
  control.accessible_name = control.text;
  switch (control.id) {
    case Drive1:
      control.accessible_name = u"Drive";
      control.accessible_description = u"The drive to work on; choosing one opens its top folder.";
      break;
    case Dir1:
      control.accessible_name = u"Folders";
      control.accessible_description =
          std::u16string(
              u"The folder whose entries are cleaned, under the folders that hold it, "
              u"and its subfolders; open one to clean it.") +
          kKeys;
      break;
    case File1:
      control.accessible_name = u"Files";
      control.accessible_description =
          std::u16string(u"The files of the folder whose entries are cleaned.") + kKeys;
      break;
    case OptFile:
      control.accessible_description = u"The command cleans the names of the folder's files.";
      break;
    case OptFolder:
      control.accessible_description = u"The command cleans the names of the folder's subfolders.";
      break;
    case Command1:
      control.accessible_description =
          u"Cuts the leading digits, spaces, dashes and underscores from each name of the chosen "
          u"kind (from folder names also dots); a name already taken gets a numbered copy.";
      break;
    case File2:
    case Dir2: control.accessible_name.clear(); break;
    default: control.accessible_description = u"Credits"; break;
  }
}

}  // namespace

std::vector<ControlEntry> ControlTable(Toolkit toolkit) {
  using enum ControlId;
  // Each platform's credit lines name what the program there is really built with.
  const bool qt = toolkit == Toolkit::kQt;
  const std::u16string version = u"Version " + Ascii(kVersionText);
  std::vector<ControlEntry> table{
      List(Drive1, "Drive1", ControlKind::kDriveList, {120, 120, 3375, 315}, 0, true),
      List(Dir1, "Dir1", ControlKind::kDirectoryList, {120, 480, 3375, 7290}, 1, true),
      List(File1, "File1", ControlKind::kFileList, {3480, 480, 3375, 7305}, 2, true),
      {OptFile,
       "OptFile",
       ControlKind::kOption,
       {7560, 240, 1095, 615},
       u"File",
       kOptionFont,
       kOptionText,
       {},
       10,
       true,
       false,
       true},
      {OptFolder,
       "OptFolder",
       ControlKind::kOption,
       {7560, 960, 1575, 615},
       u"Folder",
       kOptionFont,
       kOptionText,
       {},
       11,
       true,
       false},
      {Command1,
       "Command1",
       ControlKind::kCommand,
       {7200, 1800, 2175, 1455},
       u"Remove Leading Numbers, Space, Dash, Underscore",
       kCommandFont,
       {},
       {},
       3,
       true,
       false},
      List(File2, "File2", ControlKind::kFileList, {6960, 3720, 975, 1065}, 13, false),
      List(Dir2, "Dir2", ControlKind::kDirectoryList, {8280, 3720, 975, 990}, 14, false),
      CreditLine(Label6, "Label6", 5160, u"Prgram Developed By:", kLabel6Normal, kLabel6Back, 9),
      CreditLine(Label1, "Label1", 5520, u"qomdex developers", kLabel1Normal, kCreditBack, 4),
      CreditLine(Label2, "Label2", 5880, version, kLabel1Normal, kCreditBack, 5),
      CreditLine(Label4, "Label4", 6240, u"Cleans file names", kLabel1Normal, kCreditBack, 7),
      CreditLine(Label3, "Label3", 6600, u"MIT License", kLabel1Normal, kCreditBack, 6),
      CreditLine(Label7, "Label7", 6960, qt ? u"Built with Qt 6" : u"Built with the", kLabel1Normal,
                 kCreditBack, 12),
      CreditLine(Label5, "Label5", 7320, qt ? u"and ICU" : u"Win32 API", kLabel1Normal, kCreditBack,
                 8),
  };
  for (ControlEntry& control : table) Describe(control);
  return table;
}

std::vector<ControlId> FocusOrder(const std::vector<ControlEntry>& table) {
  std::vector<const ControlEntry*> focusable;
  for (const ControlEntry& control : table) {
    // Labels and hidden lists never take the focus.
    if (control.shown && control.kind != ControlKind::kLabel) focusable.push_back(&control);
  }
  std::ranges::sort(focusable, {}, &ControlEntry::tab_position);
  std::vector<ControlId> order;
  for (const ControlEntry* control : focusable) order.push_back(control->id);
  return order;
}

}  // namespace qomdex::form
