// unrar32.dll stand-in: RAR archives (reading only).
#include "archiver_exports.h"

static ArchiverCore core(StandinFormat::Rar);

STANDIN_COMMON_EXPORTS(Unrar, core)
STANDIN_SIZE_EX_EXPORTS(Unrar, core)
