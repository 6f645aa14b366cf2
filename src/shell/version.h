// The program's version, shown by the About box and compared by the update check. Plain
// preprocessor text so that the resource compiler can read it too.
#pragma once

#define KELVARO_VERSION_TEXT "1.5"
