// The bitmap reader behind LoadImageA, through tnRGBAImage::LoadFromBitmap
// as every texture and background is read.
#include "fuzzfolder.h"
#include "tnrgbaimage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = fuzzfolder::Write("input.bmp", data, size);
    tnRGBAImage image;
    if (image.LoadFromBitmap(path.c_str()) != tnOK) {
        if (image.GetWidth() != 0 || image.GetHeight() != 0 || image.GetImageBuffer())
            fuzzfolder::Fail("a refused bitmap changed the image");
        return 0;
    }
    const tnUInt32 width = image.GetWidth(), height = image.GetHeight();
    if (width == 0 || height == 0 || !image.GetImageBuffer())
        fuzzfolder::Fail("an accepted bitmap has no pixels");
    // Every pixel is read once: the sanitizers see any that was not filled.
    tnUInt32 mix = 0;
    for (tnUInt32 y = 0; y < height; ++y)
        for (tnUInt32 x = 0; x < width; ++x)
            mix ^= image.GetPixel(x, y);
    if (image.GetPixel(width, 0) != 0 || image.GetPixel(0, height) != 0)
        fuzzfolder::Fail("a pixel outside the image is not 0");
    fuzzfolder::Keep(mix);
    return 0;
}
