// The program's settings record.
#include "shell/settings.h"

namespace kelvaro {

Settings& ProgramSettings() {
    static Settings settings;
    return settings;
}

}  // namespace kelvaro
