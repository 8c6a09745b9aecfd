// 7-zip32.dll stand-in: reads 7z archives (LZMA, LZMA2, PPMd, BZip2 and
// Deflate coders; encrypted members are listed and refused).
#include "archiver_exports.h"

static ArchiverCore core(StandinFormat::SevenZip);

STANDIN_COMMON_EXPORTS(SevenZip, core)
STANDIN_SIZE_EX_EXPORTS(SevenZip, core)
STANDIN_ATTRIBUTE_EXPORT(SevenZip, core)
