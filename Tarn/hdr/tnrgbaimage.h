#ifndef TNRGBAIMAGE_H
#define TNRGBAIMAGE_H

#include "tnerror.h"

// The pixels of a bitmap file in memory, row by row from the top, each as
// the Windows RGB value GDI reads (red in bits 0-7, green 8-15, blue 16-23).
class tnRGBAImage {
public:
    tnRGBAImage();
    tnRGBAImage(const tnRGBAImage& other);
    tnRGBAImage& operator=(const tnRGBAImage& other);
    ~tnRGBAImage();

    // tnNotOK when the file cannot be read (the image is then unchanged).
    tnError32 LoadFromBitmap(const char* fileName);

    tnUInt32 GetWidth() const { return m_iWidth; }
    tnUInt32 GetHeight() const { return m_iHeight; }
    // 0 outside the image, or past the pixels it holds.
    tnUInt32 GetPixel(tnUInt32 x, tnUInt32 y) const;
    // The width x height pixels; null when the image does not hold that
    // many (a size set without SetImageBuffer after it).
    const tnUInt32* GetImageBuffer() const;
    // Copies width x height values (the buffer is sized to the current
    // width and height first).
    void SetImageBuffer(const tnUInt32* pixels);
    void SetWidth(tnUInt32 width) { m_iWidth = width; }
    void SetHeight(tnUInt32 height) { m_iHeight = height; }
    void CleanUp();

private:
    tnUInt32 m_iWidth;
    tnUInt32 m_iHeight;
    tnUInt32* m_pkPixels; // owned, m_iPixelCount values
    tnUInt32 m_iPixelCount;
};

#endif
