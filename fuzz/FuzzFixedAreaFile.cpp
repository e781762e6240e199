// The ".eft" XML progress file, read through the XML document class.
#include "FuzzInput.h"
#include "mosaic/CFixedAreaFile.h"
#include "mosaic/CMosaicPainter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CMosaicParam model(2);
    CFixedAreaFile::Load(FuzzInput::AsFile(data, size), model);
    // Whatever was read paints within a small picture.
    CFrameBuffer picture(16, 8, true);
    CMosaicPainter painter;
    painter.PaintFixedAreas(picture, model, model.type);
    return 0;
}
