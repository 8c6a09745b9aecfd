// Runs a call into a foreign library so that a fault inside it (an access
// violation, a raised exception) comes back as a failure instead of ending
// the program.
#pragma once

// True when `fn(ctx)` returned normally, false when it raised.
bool RunGuarded(void (*fn)(void* ctx), void* ctx);
