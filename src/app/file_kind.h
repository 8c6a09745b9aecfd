// Which preview pane shows a file, decided from its extension alone.
#pragma once
#include <cstdint>
#include <string_view>

enum FileKind : std::uint8_t {
    fkText = 0,
    fkImage = 1,
    fkMedia = 2,
    fkWave = 3,
    fkArchive = 4,
    fkLaunchable = 5,
    fkLibrary = 6,
    fkNone = 7,  // nothing previewed yet; classification never yields it
};

// Each entry is ".EXT " so that a search for the extension plus one blank
// matches whole entries only (".HTM " is not found inside ".HTML ").
inline constexpr const char* kImageExts = ".BMP .WMF .EMF .ICO .MAG .JPG .JPEG .Q4 .TIF .PIC .PI .P2 .PNG ";
inline constexpr const char* kGifExt = ".GIF ";
inline constexpr const char* kMediaExts = ".AVI .MPG .MOV .MID ";
inline constexpr const char* kWaveExts = ".WAV ";
// The TAR library also reads compressed TARs and lone compressed files.
inline constexpr const char* kArchiveExts =
    ".LZH .CAB .TAR .ZIP .ARJ .RAR .TGZ .TAZ .GZ .Z .BZ2 .TBZ .XZ .TXZ .7Z ";
inline constexpr const char* kLaunchableExts = ".EXE .COM .SCR .HLP .HTML .HTM .LNK ";
inline constexpr const char* kLibraryExts = ".DLL .SYS .OCX .VBX .DRV .VXD ";

FileKind ClassifyFile(std::string_view path, bool gifOption);

// Short English name of a kind ("fkText" ...), for tools and test output.
const char* FileKindName(FileKind kind);
