// The bitmap loader: no header field is trusted.
#include "FuzzInput.h"
#include "media/CBitmapFile.h"

#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream file(std::string(FuzzInput::Text(data, size)));
    CFrameBuffer picture;
    std::vector<std::uint8_t> info;
    if (CBitmapFile::Read(file, picture, info) && picture.Width() > 0 && picture.Height() > 0) {
        // Every row the loader claims must be there to touch.
        const std::uint8_t* last = picture.MemoryRow(picture.Height() - 1);
        volatile std::uint8_t sum = last[0] + last[picture.Width() * 3 - 1];
        (void)sum;
    }
    return 0;
}
