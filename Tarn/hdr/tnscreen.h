#ifndef TNSCREEN_H
#define TNSCREEN_H

#include "d3d8.h"
#include "d3dx8.h"
#include "tnerror.h"
#include "win32.h"

// The vertex of all engine drawing: a transformed screen position, an ARGB
// colour and one texture coordinate (D3DFVF_XYZRHW | D3DFVF_DIFFUSE |
// D3DFVF_TEX1).
struct tnVertex {
    tnReal32 x, y, z, rhw;
    D3DCOLOR colour;
    tnReal32 u, v;
};
const DWORD tnVertexFVF = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;
static_assert(sizeof(tnVertex) == 28, "the engine vertex is 28 bytes");

// The screen base class: owns the Direct3D object and device for the one
// window, picks the display mode, depth format and vertex processing,
// recovers a lost device and wraps each frame. The game derives from it and
// overrides the hooks to make and release its own device objects.
class tnScreen {
public:
    tnScreen();
    explicit tnScreen(HWND window);

    static tnScreen* GetSingleton();

    // Hooks, in this order. ConfirmDevice vetoes a device candidate
    // (tnOK accepts); the others do nothing in the base.
    virtual tnError32 RecoverDevice();
    virtual tnError32 ConfirmDevice(D3DCAPS8* caps, DWORD behaviour, D3DFORMAT format);
    virtual tnError32 InitDeviceObjects();
    virtual tnError32 RestoreDeviceObjects();
    virtual tnError32 Render();
    virtual tnError32 InvalidateDeviceObjects();
    virtual tnError32 DeleteDeviceObjects();
    virtual void CleanUp();

    tnError32 InitD3D(HWND window);
    tnError32 InitD3DDevice(bool fullScreen, tnUInt16 width, tnUInt16 height, tnUInt16 bitsPerPixel);
    tnError32 ChangeDevice(bool fullScreen, tnUInt16 width, tnUInt16 height, tnUInt16 bitsPerPixel);

    IDirect3DDevice8* GetDevice() const { return m_pkD3DDevice; }
    tnUInt32 GetScreenWidth() const { return m_kPresentParameters.BackBufferWidth; }
    tnUInt32 GetScreenHeight() const { return m_kPresentParameters.BackBufferHeight; }
    D3DFORMAT GetBackBufferFormat() const { return m_kPresentParameters.BackBufferFormat; }
    tnUInt32 GetBitsPerPixel() const;
    DWORD GetBehavior() const { return m_iBehavior; }
    D3DDEVTYPE GetDeviceType() const { return m_eDeviceType; }
    D3DFORMAT GetDepthStencilFormat() const { return m_kPresentParameters.AutoDepthStencilFormat; }
    const char* GetDeviceStats() const { return m_strDeviceStats; }
    const char* GetFrameStats() const { return m_strFrameStats; }

    tnError32 StartFrame();
    tnError32 EndFrame();
    tnError32 Clear(D3DCOLOR colour, D3DRECT* rect);
    tnError32 DrawLine(tnReal32 x1, tnReal32 y1, tnReal32 x2, tnReal32 y2, tnUInt8 r, tnUInt8 g, tnUInt8 b,
                       tnUInt8 a);
    tnError32 DrawRectangle(tnReal32 x1, tnReal32 y1, tnReal32 x2, tnReal32 y2, tnUInt8 r, tnUInt8 g, tnUInt8 b,
                            tnUInt8 a);
    // Line-strip segments from the caller's vertices, in one colour.
    tnError32 DrawLines(tnUInt8 r, tnUInt8 g, tnUInt8 b, tnUInt8 a, tnVertex* vertices, tnUInt32 count);
    void ShowCursor(bool show);

    tnUInt32 GetFPS() const { return m_iFPS; }
    void SetFPS(tnUInt32 fps) { m_iFPS = fps; }
    bool IsReady() const { return m_bReady; }

protected:
    // The game's class adds the virtual destructor.
    ~tnScreen();

    IDirect3D8* m_pkD3D;
    tnUInt32 m_iAdapter;
    D3DDEVTYPE m_eDeviceType;
    IDirect3DDevice8* m_pkD3DDevice;
    D3DPRESENT_PARAMETERS m_kPresentParameters; // kept for resets
    D3DVIEWPORT8 m_kViewport;
    D3DSURFACE_DESC m_d3dsdBackBuffer; // refreshed after every creation and reset
    DWORD m_iBehavior;                 // D3DCREATE_* flags of the device
    ID3DXFont* m_pD3DXFont;            // the game's fonts: made, used and released by it
    ID3DXFont* m_pD3DXFont2;
    ID3DXFont* m_pD3DXFont3;
    bool m_bUseDepthBuffer;
    tnUInt32 m_iMinDepthBits;
    tnUInt32 m_iMinStencilBits;
    HWND m_hWindow;
    tnUInt32 m_iFPS;
    bool m_bReady; // frames are presented only while set
    char m_strDeviceStats[90];
    char m_strFrameStats[90];

private:
    struct Candidate;
    bool FindCandidate(tnUInt16 width, tnUInt16 height, tnUInt16 bitsPerPixel, Candidate& found);
    bool TryMode(tnUInt32 adapter, D3DDEVTYPE type, D3DFORMAT format, Candidate& candidate);
    DWORD ChooseBehavior(D3DCAPS8& caps, D3DFORMAT format);
    D3DFORMAT ChooseDepthFormat(tnUInt32 adapter, D3DDEVTYPE type, D3DFORMAT format);
    tnError32 CreateWindowedDevice();
    void ReadBackBufferDesc();
    void DescribeDevice(const Candidate& chosen);
    tnError32 DrawVertices(D3DPRIMITIVETYPE type, tnUInt32 primitives, tnVertex* vertices);

    static tnScreen* m_pkSingleton;
};

// Direct3D format helpers.
void GetFormatName(D3DFORMAT format, char* out);
tnUInt32 GetFormatRMask(D3DFORMAT format);
tnUInt32 GetFormatGMask(D3DFORMAT format);
tnUInt32 GetFormatBMask(D3DFORMAT format);
tnUInt32 GetFormatAMask(D3DFORMAT format);
tnUInt32 GetFormatXMask(D3DFORMAT format); // unused bits of X formats
tnUInt32 GetFormatDMask(D3DFORMAT format);
tnUInt32 GetFormatSMask(D3DFORMAT format);
tnUInt32 GetFormatRBits(D3DFORMAT format);
tnUInt32 GetFormatGBits(D3DFORMAT format);
tnUInt32 GetFormatBBits(D3DFORMAT format);
tnUInt32 GetFormatABits(D3DFORMAT format);
tnUInt32 GetFormatXBits(D3DFORMAT format);
tnUInt32 GetFormatDBits(D3DFORMAT format);
tnUInt32 GetFormatSBits(D3DFORMAT format);
// Bits per pixel of a back-buffer format (0 for any other).
tnUInt32 GetBitsPerPixel(D3DFORMAT format);
// "(D16)", "(D24S8)"..., or "NO" for no depth format.
const char* GetDepthFormatName(D3DFORMAT format);

#endif
