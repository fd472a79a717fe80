#ifndef PLATFORM_D3D8_INTERNAL_H
#define PLATFORM_D3D8_INTERNAL_H

// Internal to the platform layer: the device behind IDirect3DDevice8.

#include "draw_list.h"
#include "draw_list.h"
#include "sdl_graphics.h"

#include <vector>

namespace platform {

class DeviceImpl : public RefCounted<IDirect3DDevice8> {
public:
    DeviceImpl(D3DDEVTYPE type, const D3DPRESENT_PARAMETERS& parameters);

    HRESULT TestCooperativeLevel() override;
    HRESULT GetDeviceCaps(D3DCAPS8* caps) override;
    HRESULT GetDisplayMode(D3DDISPLAYMODE* mode) override;
    void ShowCursor(BOOL show) override;
    HRESULT Reset(D3DPRESENT_PARAMETERS* parameters) override;
    HRESULT Present(const RECT* source, const RECT* destination, HWND destinationWindow,
                    const void* dirtyRegion) override;
    HRESULT GetBackBuffer(UINT index, D3DBACKBUFFER_TYPE type, IDirect3DSurface8** backBuffer) override;
    HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                          IDirect3DTexture8** texture) override;
    HRESULT CreateImageSurface(UINT width, UINT height, D3DFORMAT format, IDirect3DSurface8** surface) override;
    HRESULT CopyRects(IDirect3DSurface8* source, const RECT* sourceRects, UINT count, IDirect3DSurface8* destination,
                      const POINT* destinationPoints) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR colour, float z, DWORD stencil) override;
    HRESULT SetViewport(const D3DVIEWPORT8* viewport) override;
    HRESULT GetViewport(D3DVIEWPORT8* viewport) override;
    HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
    HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) override;
    HRESULT GetTexture(DWORD stage, IDirect3DBaseTexture8** texture) override;
    HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture8* texture) override;
    HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) override;
    HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) override;
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertices, UINT stride) override;
    HRESULT SetVertexShader(DWORD handle) override;
    HRESULT GetVertexShader(DWORD* handle) override;

    // Drawing shows nothing while the device is lost or waits for Reset.
    bool IsOperational() const { return m_eState == Operational; }
    // What this frame has drawn so far, carried out at Present.
    DrawList& Frame() { return m_kFrame; }
    // Draws what this frame has recorded so far (a test reads the picture).
    void FlushFrame() { m_kFrame.Flush(); }
    // Draws and shows the frame on screen again (a test compares pictures).
    void RedrawShownFrame();

    // Test control: lost (until shown and asked again), or waiting for Reset.
    void Lose();
    void RequireReset();
    static void ForEach(void (*action)(DeviceImpl&));

private:
    enum State { Operational, Lost, NotReset };

    ~DeviceImpl() override;
    void OnEvent(const SDL_Event& event);
    void ResetStates();
    void UnbindTextures();

    // Drawing (d3d8_draw.cpp).
    struct VertexLayout;
    bool ReadLayout(UINT stride, VertexLayout& layout) const;
    void ReadVertices(const void* vertices, UINT count, UINT stride, const VertexLayout& layout, bool textured);
    void AddLines(D3DPRIMITIVETYPE type, UINT primitiveCount);
    void AddTriangles(D3DPRIMITIVETYPE type, UINT primitiveCount, PixelStore* store);
    bool AddAlignedQuad(D3DPRIMITIVETYPE type, UINT primitiveCount, PixelStore& store, SDL_BlendMode blend);
    PixelStore* BoundStore();
    SDL_BlendMode BlendMode() const;
    // Shows the recorded frame unless it is the picture already on screen.
    void ShowFrame();

    D3DDEVTYPE m_eType;
    D3DPRESENT_PARAMETERS m_kParameters;
    State m_eState;
    bool m_bLostReported;
    bool m_bInScene;
    DWORD m_iVertexShader;
    D3DVIEWPORT8 m_kViewport;
    DWORD m_aRenderStates[D3D_RENDERSTATE_COUNT];
    DWORD m_aStageStates[D3D_TEXTURESTAGE_COUNT][D3D_TEXTURESTAGESTATE_COUNT];
    IDirect3DBaseTexture8* m_apTextures[D3D_TEXTURESTAGE_COUNT];
    int m_iListener;
    // Reused between draws: drawing allocates nothing once they have grown.
    std::vector<SDL_Vertex> m_vVertices;
    std::vector<SDL_Vertex> m_vLineEnds;
    std::vector<int> m_vIndices;
    DrawList m_kFrame; // this frame so far
    DrawList m_kShown; // the frame on screen
};

} // namespace platform

#endif
