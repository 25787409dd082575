#pragma once

#include <string>

#include "location/native_name.h"

namespace qomdex::present {

// Returns a name (or path) as UTF-8 text that a shell reads back as exactly that name, written
// as coreutils' `ls --quoting-style=shell-escape` writes it: bare when no character in it means
// anything to a shell; in single quotes when one does ('it'\''s $5', or "it's" in double quotes
// when a single quote is the only reason); and with $'...' for each run of characters a line
// cannot show as they are: \n, \t, \r, \a, \b, \f, \v, and three octal digits per byte for other
// controls, for bytes that are not UTF-8 and for invisible, blank-looking, line-breaking and
// direction-changing characters ('a'$'\n''b', 'x'$'\342\200\256''txt.exe'). On Windows, where
// paths are full of backslashes, a backslash calls for no quotes. Never fails.
std::string QuoteName(const NativeString& name);

// Returns true when the window may show a name as it is: it holds nothing that QuoteName would
// escape, and it cannot be mistaken for what QuoteName gives for another name (it does not both
// begin and end with the same quote mark), so no two names ever show alike. Never fails.
bool ShowsAsItIs(const NativeString& name);

// Appends what QuoteName gives for `name` to `shown`, so many names can be shown through one
// buffer. Never fails.
void AppendQuotedName(NativeStringView name, std::string& shown);

}  // namespace qomdex::present
