// Where both programs fetch their update files from: the build's base URL (the CMake
// option KELVARO_UPDATE_BASE_URL), ending in "/Kelvaro/". A file's URL is the base URL
// followed by the file's name.
#pragma once

#include <string>

namespace kelvaro {

const std::string& UpdateBaseUrl();

}  // namespace kelvaro
