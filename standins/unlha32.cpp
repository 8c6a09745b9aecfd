// Unlha32.dll stand-in: LZH archives (and LHA self-extracting programs).
#include "archiver_exports.h"

static ArchiverCore core(StandinFormat::Lha);

STANDIN_COMMON_EXPORTS(Unlha, core)
STANDIN_SIZE_EX_EXPORTS(Unlha, core)
STANDIN_ATTRIBUTE_EXPORT(Unlha, core)
STANDIN_CURSOR_EXPORTS(Unlha, core)
