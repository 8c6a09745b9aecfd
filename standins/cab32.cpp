// cab32.dll stand-in: CAB archives (and CAB self-extracting programs).
#include "archiver_exports.h"

static ArchiverCore core(StandinFormat::Cab);

STANDIN_COMMON_EXPORTS(Cab, core)
STANDIN_SIZE_EX_EXPORTS(Cab, core)
STANDIN_ATTRIBUTE_EXPORT(Cab, core)
