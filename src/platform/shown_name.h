#pragma once
// A file name as the file system spells it (bytes, UTF-8 where valid), made fit to show: the
// names a folder scan cannot take are named to the user this way.

#include <string>
#include <string_view>

namespace mirulane {

// UTF-8 for a terminal: every valid UTF-8 character as itself; each byte that is no part of
// one as "\xNN", and a line break, tab or other control character as "\n", "\t", "\r" or
// "\xNN", so that the name stays on its line and every byte of it is seen.
std::string ShownName(std::string_view systemName);

// The same for a CP932 message: what ShownName shows, with each character CP932 cannot hold
// written as "<U+XXXX>".
std::string ShownNameCp932(std::string_view systemName);

}  // namespace mirulane
