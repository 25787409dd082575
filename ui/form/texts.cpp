#include "ui/form/texts.h"

#include "location/join_path.h"
#include "location/text_encoding.h"

namespace qomdex::form {
namespace {

std::u16string Number(std::size_t value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

// Returns text the system or the C++ library wrote, such as a failure's reason.
std::u16string SystemText(const std::string& text) {
#ifdef _WIN32
  // Such text is in the system's code page, plain ASCII in practice; any other byte shows as the
  // Latin-1 character of its value rather than failing the message.
  std::u16string wide;
  for (const char c : text) wide.push_back(static_cast<unsigned char>(c));
  return wide;
#else
  return NativeToUtf16(text);
#endif
}

std::u16string Quoted(const NativeString& name) { return u'"' + NativeToUtf16(name) + u'"'; }

std::u16string CannotRead(const std::filesystem::path& directory, const std::error_code& error) {
  return u"Cannot read " + Quoted(directory.native()) + u": " + SystemText(error.message());
}

}  // namespace

std::u16string FailureMessage(const PassReport& report) {
  if (report.failures.empty()) return {};
  std::u16string message = u"Some entries could not be renamed:";
  for (const PassReport::Failure& failure : report.failures) {
    message += u'\n';
    if (failure.kind == PassReport::FailureKind::kUnreadableDirectory) {
      message += CannotRead(failure.path, failure.error);
    } else {
      message += Quoted(LastComponent(failure.path)) + u" \u2192 " +
                 Quoted(LastComponent(failure.target)) + u": " +
                 SystemText(failure.error.message());
    }
  }
  return message;
}

std::u16string UnreadableMessage(const std::filesystem::filesystem_error& error) {
  return CannotRead(error.path1(), error.code());
}

std::u16string UnexpectedMessage(const std::string& what) {
  std::u16string message = u"An unexpected failure stopped this action.";
  if (!what.empty()) message += u'\n' + SystemText(what);
  return message;
}

std::u16string UndoText(std::size_t entries) {
  return u"Undo last rename (" + Number(entries) + u" entries)";
}

std::u16string ProgressText(std::size_t done, std::size_t total, const NativeString& name) {
  return u"Renaming " + Number(done) + u" of " + Number(total) + u'\n' + NativeToUtf16(name);
}

}  // namespace qomdex::form
