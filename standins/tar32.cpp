// Tar32.dll stand-in: TAR, optionally gzip/compress/bzip2 compressed, and
// lone compressed files (.gz, .Z, .bz2).
#include "archiver_exports.h"

static ArchiverCore core(StandinFormat::Tar);

STANDIN_COMMON_EXPORTS(Tar, core)
STANDIN_SIZE_EX_EXPORTS(Tar, core)

extern "C" int WINAPI TarGetArchiveType(LPCSTR path) {
    return core.ArchiveSubType(path);
}
