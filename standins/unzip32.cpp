// Unzip32.dll stand-in: reads ZIP archives.
#include "archiver_exports.h"

static ArchiverCore core(StandinFormat::Zip);

STANDIN_COMMON_EXPORTS(UnZip, core)
STANDIN_SIZE_EX_EXPORTS(UnZip, core)
STANDIN_ATTRIBUTE_EXPORT(UnZip, core)
