// The build's update base URL. Only this file carries the value, so a build for another
// server recompiles nothing else.
#include "netupdate/update_base_url.h"

namespace kelvaro {

const std::string& UpdateBaseUrl() {
    static const std::string url = KELVARO_UPDATE_BASE_URL;
    return url;
}

}  // namespace kelvaro
