#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <system_error>

#include "engine/pass_report.h"
#include "location/native_name.h"

namespace qomdex::present {

// Who the words are for: the window, which tells of outcomes in whole sentences, or the console,
// whose terse lines follow the program's name.
enum class Voice { kWindow, kConsole };

// Every text below is UTF-8, each name in it quoted as QuoteName shows it.

// Returns the sentence that tells of a failure: the entry by its name (a directory that cannot be
// read by its whole path), the name it was to get where the sentence names one, and the system's
// reason where it gave one. `undo` says the failure is an undo's, which the window calls putting
// back; the console words a rename alike either way.
std::string FailureText(Voice voice, const PassReport::Failure& failure, bool undo);

// Returns the sentence that tells that a directory cannot be read, with the system's reason.
std::string UnreadableText(Voice voice, const std::filesystem::path& directory,
                           const std::error_code& error);

// Returns the sentence that tells that an entry kept its name, and why.
std::string KeptText(Voice voice, const PassReport::Kept& kept);

// Returns why an entry keeps its name, as the end of a sentence.
std::string KeptWhy(Voice voice, PassReport::KeptReason reason);

// Appends the console's line for a rename made, "FROM -> TO", to `text`, so every rename's line
// can go through one buffer.
void AppendRenamedText(NativeStringView from, NativeStringView to, std::string& text);

// Returns the console's sentence for what a rename cut short had left and an undo removed; the
// window only counts such a removal.
std::string RemovedText(const std::filesystem::path& path);

// Returns the console's words for renames made whose lines could not be written.
std::string LostLinesText(std::size_t renames);

// Returns ": " and the system's reason, or nothing when the system gave none: a sentence never
// ends in the reason of no error ("Success").
std::string ReasonText(const std::error_code& error);

}  // namespace qomdex::present
