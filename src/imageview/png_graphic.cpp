#include "imageview/png_graphic.h"

#include <memory>
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
    std::unique_ptr<TFileInputStream> stream;
    try {
        stream = std::make_unique<TFileInputStream>(path);
    } catch (...) {
        Clear();
        throw;
    }
    LoadFromStream(*stream);
}

void TPngGraphic::LoadFromStream(TInputStream& stream) {
    // The bitmaps keep their pixel blocks: the next picture is decoded into
    // them when it fits.
    FHeader = TPngHeader{};
    FInfo = TPngInfo{};
    FAlphaTable.fill(255);
    Progress(psStarting, 0);
    try {
        TPngReadStream reader(stream, FImage, FAlphaPlane);
        reader.OnProgress = [this](int percent) { Progress(psRunning, percent); };
        reader.Decode();
        FHeader = reader.Header();
        FInfo = reader.Info();
        FAlphaTable = reader.AlphaTable();
        if (!FHeader.HasAlpha) FAlphaPlane.Clear();
    } catch (const std::bad_alloc&) {
        Clear();
        throw EPngError(png_msg::kReadError);
    } catch (...) {
        Clear();
        throw;
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
