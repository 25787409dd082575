#include "cli/progress.h"

#include <string>

#include "cli/cli.h"
#include "present/quoting.h"

namespace qomdex::cli {
namespace {

// Redrawing for every entry would cost more than the renames on a fast disk.
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
constexpr char kEraseLine[] = "\r\x1b[K";
// Without a known width, a line this long fits the narrowest usual terminal.
constexpr std::size_t kDefaultColumns = 80;

// Returns the UTF-8 text cut to at most `columns` columns. Every character beyond ASCII counts
// as two, as wide as it can be, so the cut line never wraps; a cut shows as "...".
std::string FitToColumns(const std::string& text, std::size_t columns) {
  std::size_t used = 0;
  std::size_t end = 0;
  std::size_t fits_with_ellipsis = 0;
  while (end < text.size()) {
    std::size_t length = 1;
    while (end + length < text.size() &&
           (static_cast<unsigned char>(text[end + length]) & 0xC0) == 0x80) {
      ++length;
    }
    const std::size_t width = length == 1 ? 1 : 2;
    if (used + width + 3 <= columns) fits_with_ellipsis = end + length;
    if (used + width > columns) return text.substr(0, fits_with_ellipsis) + "...";
    used += width;
    end += length;
  }
  return text;
}

}  // namespace

Progress::Progress(std::ostream& terminal, bool show, std::function<int()> columns,
                   std::function<Clock::time_point()> now)
    : terminal_(terminal),
      show_(show),
      columns_(std::move(columns)),
      now_(std::move(now)),
      pace_(kRedrawInterval, now_()) {}

Progress::~Progress() { Clear(); }

void Progress::Restart() {
  Clear();
  pace_.Restart(now_());
}

void Progress::EntryDone(std::size_t done, std::size_t total, const NativeString& name) {
  if (!show_) return;
  if (!pace_.Due(now_())) return;
  const int known = columns_ ? columns_() : 0;
  // The last column stays free: some terminals wrap as soon as it is written.
  const std::size_t columns = known > 1 ? static_cast<std::size_t>(known) - 1 : kDefaultColumns;
  const std::string line = std::string(kProgramName) + ": " + folder_ + std::to_string(done) + '/' +
                           std::to_string(total) + ' ' + present::QuoteName(name);
  terminal_ << kEraseLine << FitToColumns(line, columns) << std::flush;
}

void Progress::Folder(std::size_t number, std::size_t found, bool all_found) {
  folder_ =
      "folder " + std::to_string(number) + '/' + std::to_string(found) + (all_found ? ", " : "+, ");
}

void Progress::Clear() {
  if (!pace_.shown()) return;
  terminal_ << kEraseLine << std::flush;
  pace_.Erased();
}

}  // namespace qomdex::cli
