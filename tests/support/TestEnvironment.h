#pragma once

// Every test program runs under a Japanese locale whose numbers use a decimal comma, so a
// number that follows the locale anywhere in a file or PDF shows up as a failure; windows
// use the offscreen platform and dates the Japanese time zone. Set before the application
// object exists, which applies the locale.
void SetTestEnvironment();
