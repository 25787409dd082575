#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

#include "engine/pass_report.h"
#include "location/native_name.h"

namespace qomdex::form {

// Returns the one message that reports a pass's failures, a line for each entry naming it, the
// name it was to get and the system's reason, or the directory that could not be re-read;
// empty when nothing failed.
std::u16string FailureMessage(const PassReport& report);

// Returns the message for a drive or directory that cannot be read, with the system's reason.
std::u16string UnreadableMessage(const std::filesystem::filesystem_error& error);

// Returns the message for a failure that nothing above explains, with the detail the failure
// carries (`what` may be empty).
std::u16string UnexpectedMessage(const std::string& what);

// Returns the undo command's text for the number of entries the last pass renamed.
std::u16string UndoText(std::size_t entries);

// Returns the progress window's text: entries done of the total, and the current name.
std::u16string ProgressText(std::size_t done, std::size_t total, const NativeString& name);

}  // namespace qomdex::form
