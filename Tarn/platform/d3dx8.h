#ifndef PLATFORM_D3DX8_H
#define PLATFORM_D3DX8_H

// The font object of the Direct3D 8 utility library, standing in for
// <d3dx8.h>: a font made from a GDI font that draws text on the device.

#include "d3d8.h"
#include "wingdi.h"

class ID3DXFont : public ID3D8Unknown {
public:
    virtual HRESULT GetDevice(IDirect3DDevice8** device) = 0;
    virtual HRESULT GetLogFont(LOGFONTA* font) = 0;
    virtual HRESULT Begin() = 0;
    // Text (count -1: NUL-terminated) laid out in the rectangle by the
    // DT_* flags, in the ARGB colour; returns the height of the text.
    virtual int DrawTextA(LPCSTR text, int count, RECT* rect, DWORD format, D3DCOLOR colour) = 0;
    virtual HRESULT End() = 0;
    virtual HRESULT OnLostDevice() = 0;
    virtual HRESULT OnResetDevice() = 0;
};

typedef ID3DXFont* LPD3DXFONT;

HRESULT D3DXCreateFont(IDirect3DDevice8* device, HFONT font, ID3DXFont** result);
HRESULT D3DXCreateFontIndirect(IDirect3DDevice8* device, const LOGFONTA* font, ID3DXFont** result);

#endif
