#include "imageview/png_graphic.h"

#include <new>

#include "imageview/png_error.h"
#include "imageview/png_read_stream.h"

void TPngGraphic::Clear() {
    FImage.Clear();
    FAlphaPlane.Clear();
    FHeader = TPngHeader{};
    FInfo = TPngInfo{};
    FAlphaTable.fill(255);
}

void TPngGraphic::LoadFromFile(const std::string& path) {
    Clear();
    TFileInputStream stream(path);
    LoadFromStream(stream);
}

void TPngGraphic::LoadFromStream(TInputStream& stream) {
    Clear();
    Progress(psStarting, 0);
    try {
        TPngReadStream reader(stream);
        reader.OnProgress = [this](int percent) { Progress(psRunning, percent); };
        reader.Decode();
        FHeader = reader.Header();
        FInfo = reader.Info();
        FAlphaTable = reader.AlphaTable();
        FImage = std::move(reader.Image());
        FAlphaPlane = std::move(reader.AlphaPlane());
    } catch (const std::bad_alloc&) {
        Clear();
        throw EPngError(png_msg::kReadError);
    }
    Progress(psEnding, 100);
    Changed();
}

void TPngGraphic::Assign(const TPngGraphic& source) {
    if (&source == this) return;
    Clear();
    if (!FImage.Assign(source.FImage) || !FAlphaPlane.Assign(source.FAlphaPlane)) {
        Clear();
        throw EPngError(png_msg::kReadError);
    }
    FHeader = source.FHeader;
    FInfo = source.FInfo;
    FAlphaTable = source.FAlphaTable;
    Changed();
}
