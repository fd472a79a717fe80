#ifndef PLATFORM_SMOOTH_SCALE_H
#define PLATFORM_SMOOTH_SCALE_H

// Internal to the platform layer: the picture scaled smoothly (bilinear) to
// the size of the screen. Each screen pixel depends on its own position
// alone, never on which part of the picture is scaled with it, so a part
// scaled on its own comes out exactly as it does in the whole picture.

#include <cstdint>
#include <vector>

namespace platform {

class SmoothScale {
public:
    // Maps a picture of `width` x `height` onto a box of `boxWidth` x
    // `boxHeight` (computed once per size).
    void SetSizes(int width, int height, int boxWidth, int boxHeight);

    // The part of the picture (first column and row, end column and row,
    // exclusive) that box pixels [x0, x1) x [y0, y1) read.
    void SourceOf(int x0, int y0, int x1, int y1, int& sourceX0, int& sourceY0, int& sourceX1, int& sourceY1) const;

    // Writes box pixels [x0, x1) x [y0, y1) into `box` (its pixel (0, 0)
    // being the box's, `boxPitch` pixels a row) from 32-bit pixels of the
    // picture that start at picture column `sourceX`, row `sourceY`, with
    // `sourcePitch` pixels a row and holding at least SourceOf's part.
    void Scale(const std::uint32_t* source, int sourceX, int sourceY, int sourcePitch, std::uint32_t* box,
               int boxPitch, int x0, int y0, int x1, int y1) const;

private:
    struct Axis {
        std::vector<int> first;           // the picture pixel before the sample
        std::vector<std::uint32_t> weight; // of the one after it, out of 256
    };
    static void MapAxis(int picture, int box, Axis& axis);

    int m_iWidth = 0, m_iHeight = 0, m_iBoxWidth = 0, m_iBoxHeight = 0;
    Axis m_kColumns, m_kRows;
};

} // namespace platform

#endif
