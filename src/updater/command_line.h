// The updater's one argument, taken from the whole command-line text.
#pragma once

#include <string>
#include <string_view>

namespace kelvaro {

// The argument after the program's own path. Arguments are separated by one or more
// blanks (tabs are not separators); an argument that begins with a double quote runs to
// the next double quote or to the end, without the quotes; any other runs to the next
// blank or to the end. Further arguments are ignored; a missing argument is empty.
std::string UpdaterArgument(std::string_view commandLine);

}  // namespace kelvaro
