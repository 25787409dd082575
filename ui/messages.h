#pragma once

#include <QString>
#include <filesystem>

#include "engine/pass_report.h"

namespace qomdex::ui {

// Returns the one message that reports a pass's failures, a line for each entry naming it, the
// name it was to get and the system's reason; empty when nothing failed.
QString FailureMessage(const PassReport& report);

// Returns the message for a drive or directory that cannot be read, with the system's reason.
QString UnreadableMessage(const std::filesystem::filesystem_error& error);

// Returns the message for a failure that nothing above explains; `what` may be empty.
QString UnexpectedMessage(const QString& what);

}  // namespace qomdex::ui
