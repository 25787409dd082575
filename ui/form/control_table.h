#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qomdex::form {

// The window's controls, by their names.
enum class ControlId {
  Drive1,
  Dir1,
  File1,
  OptFile,
  OptFolder,
  Command1,
  File2,
  Dir2,
  Label1,
  Label2,
  Label3,
  Label4,
  Label5,
  Label6,
  Label7,
};

enum class ControlKind { kDriveList, kDirectoryList, kFileList, kOption, kCommand, kLabel };

// The toolkit a view is built with; the credit block names it.
enum class Toolkit { kQt, kWin32 };

// A colour as 0x00BBGGRR: red in the low byte, blue in the third.
using Bgr = std::uint32_t;

// A place and size in twips (1/1440 inch) from the top-left corner of the window's client area.
struct TwipsRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// A font of the classic sans-serif face (kClassicFace); `points` 0 means the toolkit's default
// font. Never italic, underlined or struck through.
struct ControlFont {
  double points = 0;
  int weight = 400;
};

inline constexpr char kClassicFace[] = "MS Sans Serif";

// One control as the window lays it out.
struct ControlEntry {
  ControlId id;
  const char* name;
  ControlKind kind;
  TwipsRect place;
  std::u16string text;
  ControlFont font;
  std::optional<Bgr> text_color;  // empty: the toolkit's default
  std::optional<Bgr> background;  // empty: the toolkit's default; else opaque
  int tab_position;
  bool shown;
  // A credit line is as wide as its text in its font; `place.width` is then ignored.
  bool sized_to_text;
  // An option button that is selected when the window opens.
  bool selected = false;
  // What a screen reader says of the control: its name, then its description. Empty for the
  // hidden lists, which no one meets.
  std::u16string accessible_name{};
  std::u16string accessible_description{};
};

inline constexpr char16_t kTitle[] = u"Remove Leading Numbers from file name";
inline constexpr int kClientWidthTwips = 9510;
inline constexpr int kClientHeightTwips = 7935;

// The colours the hover rule switches between.
inline constexpr Bgr kLabel6Normal = 0x00C0C0FF;  // light red
inline constexpr Bgr kLabel6Lit = 0x000000FF;     // red
inline constexpr Bgr kLabel1Normal = 0x00C0C000;  // teal
inline constexpr Bgr kLabel1Lit = 0x00FFFF00;     // cyan

// Returns every control of the window, shown and hidden, with the credit lines true for the
// toolkit. Never fails.
std::vector<ControlEntry> ControlTable(Toolkit toolkit);

// Returns the controls that take the keyboard focus, in the order Tab moves through them.
std::vector<ControlId> FocusOrder(const std::vector<ControlEntry>& table);

}  // namespace qomdex::form
