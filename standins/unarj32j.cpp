// Unarj32j.dll stand-in: ARJ archives, read by our own reader.
#include "archiver_exports.h"

static ArchiverCore core(StandinFormat::Arj);

STANDIN_COMMON_EXPORTS(Unarj, core)
STANDIN_SIZE_EX_EXPORTS(Unarj, core)
STANDIN_CURSOR_EXPORTS(Unarj, core)
