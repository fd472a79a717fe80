#ifndef TESTS_GRAPHICSSCREEN_H
#define TESTS_GRAPHICSSCREEN_H

// A screen with a full-screen 1024 x 768 x 32 device on the test window,
// the way the game makes it, and a device wrapper that records what the
// engine asks of the device (bindings, the vertices of each draw).

#include "../platform/graphicstestwindow.h"
#include "tnscreen.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Forwards every call to the real device and remembers the interesting ones.
class RecordingDevice : public IDirect3DDevice8 {
public:
    explicit RecordingDevice(IDirect3DDevice8* real) : m_pkReal(real) {}

    int setTextureCalls = 0;
    std::vector<std::vector<tnVertex>> draws; // vertices of every DrawPrimitiveUP

    DWORD AddRef() override { return ++m_iReferences; }
    DWORD Release() override
    {
        DWORD left = --m_iReferences;
        if (left == 0) {
            m_pkReal->Release();
            delete this;
        }
        return left;
    }
    HRESULT TestCooperativeLevel() override { return m_pkReal->TestCooperativeLevel(); }
    HRESULT GetDeviceCaps(D3DCAPS8* caps) override { return m_pkReal->GetDeviceCaps(caps); }
    HRESULT GetDisplayMode(D3DDISPLAYMODE* mode) override { return m_pkReal->GetDisplayMode(mode); }
    void ShowCursor(BOOL show) override { m_pkReal->ShowCursor(show); }
    HRESULT Reset(D3DPRESENT_PARAMETERS* p) override { return m_pkReal->Reset(p); }
    HRESULT Present(const RECT* s, const RECT* d, HWND w, const void* r) override { return m_pkReal->Present(s, d, w, r); }
    HRESULT GetBackBuffer(UINT i, D3DBACKBUFFER_TYPE t, IDirect3DSurface8** b) override
    {
        return m_pkReal->GetBackBuffer(i, t, b);
    }
    HRESULT CreateTexture(UINT w, UINT h, UINT l, DWORD u, D3DFORMAT f, D3DPOOL p, IDirect3DTexture8** t) override
    {
        return m_pkReal->CreateTexture(w, h, l, u, f, p, t);
    }
    HRESULT CreateImageSurface(UINT w, UINT h, D3DFORMAT f, IDirect3DSurface8** s) override
    {
        return m_pkReal->CreateImageSurface(w, h, f, s);
    }
    HRESULT CopyRects(IDirect3DSurface8* s, const RECT* r, UINT c, IDirect3DSurface8* d, const POINT* p) override
    {
        return m_pkReal->CopyRects(s, r, c, d, p);
    }
    HRESULT BeginScene() override { return m_pkReal->BeginScene(); }
    HRESULT EndScene() override { return m_pkReal->EndScene(); }
    HRESULT Clear(DWORD c, const D3DRECT* r, DWORD f, D3DCOLOR colour, float z, DWORD s) override
    {
        return m_pkReal->Clear(c, r, f, colour, z, s);
    }
    HRESULT SetViewport(const D3DVIEWPORT8* v) override { return m_pkReal->SetViewport(v); }
    HRESULT GetViewport(D3DVIEWPORT8* v) override { return m_pkReal->GetViewport(v); }
    HRESULT SetRenderState(D3DRENDERSTATETYPE s, DWORD v) override { return m_pkReal->SetRenderState(s, v); }
    HRESULT GetRenderState(D3DRENDERSTATETYPE s, DWORD* v) override { return m_pkReal->GetRenderState(s, v); }
    HRESULT GetTexture(DWORD stage, IDirect3DBaseTexture8** t) override { return m_pkReal->GetTexture(stage, t); }
    HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture8* t) override
    {
        ++setTextureCalls;
        return m_pkReal->SetTexture(stage, t);
    }
    HRESULT GetTextureStageState(DWORD s, D3DTEXTURESTAGESTATETYPE t, DWORD* v) override
    {
        return m_pkReal->GetTextureStageState(s, t, v);
    }
    HRESULT SetTextureStageState(DWORD s, D3DTEXTURESTAGESTATETYPE t, DWORD v) override
    {
        return m_pkReal->SetTextureStageState(s, t, v);
    }
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT count, const void* vertices, UINT stride) override
    {
        UINT n = type == D3DPT_TRIANGLESTRIP ? count + 2 : (type == D3DPT_LINELIST ? count * 2 : count + 1);
        if (vertices && stride == sizeof(tnVertex)) {
            const tnVertex* v = static_cast<const tnVertex*>(vertices);
            draws.emplace_back(v, v + n);
        }
        return m_pkReal->DrawPrimitiveUP(type, count, vertices, stride);
    }
    HRESULT SetVertexShader(DWORD h) override { return m_pkReal->SetVertexShader(h); }
    HRESULT GetVertexShader(DWORD* h) override { return m_pkReal->GetVertexShader(h); }

private:
    ~RecordingDevice() override = default;
    IDirect3DDevice8* m_pkReal;
    DWORD m_iReferences = 1;
};

class GraphicsScreen : public tnScreen {
public:
    GraphicsScreen() : tnScreen() {}
    ~GraphicsScreen() { CleanUp(); }

    // The game's way: InitD3D, a full-screen device, alpha test on.
    tnError32 Start(HWND window, tnUInt16 width = 1024, tnUInt16 height = 768, tnUInt16 bits = 32)
    {
        tnError32 result = InitD3D(window);
        if (result == tnOK)
            result = InitD3DDevice(true, width, height, bits);
        if (m_pkD3DDevice) {
            m_pkD3DDevice->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
            m_pkD3DDevice->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATEREQUAL);
            m_pkD3DDevice->SetRenderState(D3DRS_ALPHAREF, 1);
        }
        m_bReady = true;
        return result;
    }

    // Puts a recorder between the engine and the device.
    RecordingDevice* Record()
    {
        RecordingDevice* recorder = new RecordingDevice(m_pkD3DDevice);
        m_pkD3DDevice = recorder;
        return recorder;
    }

    void SetReady(bool ready) { m_bReady = ready; }
    void WantDepthBuffer(tnUInt32 minDepthBits, tnUInt32 minStencilBits)
    {
        m_bUseDepthBuffer = true;
        m_iMinDepthBits = minDepthBits;
        m_iMinStencilBits = minStencilBits;
    }
    const D3DSURFACE_DESC& BackBufferDesc() const { return m_d3dsdBackBuffer; }
};

// Writes a 24-bit bitmap file whose pixel (x, y) is colour(x, y) as 0xRRGGBB.
template <class Colour>
void WriteBitmap(const std::string& path, int width, int height, Colour colour)
{
    int rowBytes = (width * 3 + 3) & ~3;
    std::vector<unsigned char> file(54 + static_cast<std::size_t>(rowBytes) * height, 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            file[at + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<std::uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    file[26] = 1;
    file[28] = 24;
    for (int y = 0; y < height; ++y) {
        unsigned char* row = &file[54 + static_cast<std::size_t>(rowBytes) * (height - 1 - y)];
        for (int x = 0; x < width; ++x) {
            std::uint32_t c = colour(x, y);
            row[x * 3] = static_cast<unsigned char>(c);
            row[x * 3 + 1] = static_cast<unsigned char>(c >> 8);
            row[x * 3 + 2] = static_cast<unsigned char>(c >> 16);
        }
    }
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out) {
        std::fwrite(file.data(), 1, file.size(), out);
        std::fclose(out);
    }
}

#endif
