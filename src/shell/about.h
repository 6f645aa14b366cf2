// The text of the About box.
#pragma once

#include <string>
#include <string_view>

namespace kelvaro {

inline constexpr const char* kAboutCaption = "Über";

// "Kelvaro " and the version on the first line, then the authors, the contact and the
// credit for the icons.
std::string AboutText(std::string_view version);

}  // namespace kelvaro
