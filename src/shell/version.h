// The program's version, shown by the About box and compared by the update check. Plain
// preprocessor text so that the resource compiler can read it too.
#pragma once

// A build may name another version on the compiler's command line (the tests' stand-in for
// a newer release does).
#ifndef KELVARO_VERSION_TEXT
#define KELVARO_VERSION_TEXT "1.5"
#endif
