#pragma once

#include <string>

#include "location/native_name.h"

namespace qomdex::present {

// Returns a name (or path) as UTF-8 text that shows it unambiguously on one line: bare when it is
// plain printable text; otherwise in single quotes, with the escapes bash's $'...' reads back:
// \n, \t, \r, \\ (not on Windows, where paths are full of backslashes), \' and \xHH for other
// ASCII controls and for bytes that are not UTF-8, and \uXXXX (\UXXXXXXXX past U+FFFF) for
// invisible, line-breaking and direction-changing characters (Unicode's Cc, Cf, Zl and Zp).
// Never fails.
std::string QuoteName(const NativeString& name);

// Returns true when every character of the name can stand as it is on a line: it holds no
// control, invisible, line-breaking or direction-changing character and no byte that is not
// UTF-8 (spaces, quotes and backslashes may stand). Never fails.
bool ShowsAsItIs(const NativeString& name);

// Appends what QuoteName gives for `name` to `shown`, so many names can be shown through one
// buffer. Never fails.
void AppendQuotedName(NativeStringView name, std::string& shown);

}  // namespace qomdex::present
