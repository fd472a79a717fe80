// The Direct3D 8 stand-in: adapter, device life, and pixels of what it draws.
#include "graphicstestwindow.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace {

struct Vertex {
    float x, y, z, rhw;
    DWORD colour;
    float u, v;
};
const DWORD kFVF = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

// A quad centred at (cx, cy), as the engine sends it: a two-triangle strip.
void DrawQuad(IDirect3DDevice8* device, float cx, float cy, float halfWidth, float halfHeight, DWORD colour,
              float u0 = 0.0f, float v0 = 0.0f, float u1 = 1.0f, float v1 = 1.0f)
{
    Vertex quad[4] = {{cx - halfWidth, cy - halfHeight, 0, 1, colour, u0, v0},
                      {cx + halfWidth, cy - halfHeight, 0, 1, colour, u1, v0},
                      {cx - halfWidth, cy + halfHeight, 0, 1, colour, u0, v1},
                      {cx + halfWidth, cy + halfHeight, 0, 1, colour, u1, v1}};
    device->SetVertexShader(kFVF);
    ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(Vertex)));
}

// An A8R8G8B8 managed texture filled with the given texels, row by row.
IDirect3DTexture8* MakeTexture(IDirect3DDevice8* device, UINT width, UINT height, const std::vector<DWORD>& texels)
{
    IDirect3DTexture8* texture = nullptr;
    EXPECT_EQ(D3D_OK, device->CreateTexture(width, height, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture));
    if (!texture)
        return nullptr;
    D3DLOCKED_RECT locked = {};
    EXPECT_EQ(D3D_OK, texture->LockRect(0, &locked, nullptr, 0));
    for (UINT y = 0; y < height; ++y)
        std::memcpy(static_cast<char*>(locked.pBits) + y * locked.Pitch, &texels[y * width], width * 4);
    texture->UnlockRect(0);
    return texture;
}

void SetAlphaTest(IDirect3DDevice8* device)
{
    device->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
    device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATEREQUAL);
    device->SetRenderState(D3DRS_ALPHAREF, 1);
}

class D3D8Device : public ::testing::Test {
protected:
    D3D8Device() : device(window.Handle()) {}
    GraphicsTestWindow window;
    TestDevice device;
};

} // namespace

TEST(D3D8Adapter, OffersTheGameModesInSixteenAndThirtyTwoBits)
{
    GraphicsTestWindow window;
    IDirect3D8* d3d = Direct3DCreate8(D3D_SDK_VERSION);
    ASSERT_NE(nullptr, d3d);
    EXPECT_EQ(nullptr, Direct3DCreate8(120));
    int found = 0;
    for (UINT i = 0; i < d3d->GetAdapterModeCount(0); ++i) {
        D3DDISPLAYMODE mode = {};
        ASSERT_EQ(D3D_OK, d3d->EnumAdapterModes(0, i, &mode));
        bool size = (mode.Width == 640 && mode.Height == 480) || (mode.Width == 800 && mode.Height == 600) ||
                    (mode.Width == 1024 && mode.Height == 768);
        bool format = mode.Format == D3DFMT_R5G6B5 || mode.Format == D3DFMT_X8R8G8B8;
        found += size && format;
    }
    EXPECT_EQ(6, found);
    EXPECT_EQ(D3DERR_INVALIDCALL, d3d->EnumAdapterModes(0, 99, nullptr));

    D3DCAPS8 caps = {};
    ASSERT_EQ(D3D_OK, d3d->GetDeviceCaps(0, D3DDEVTYPE_HAL, &caps));
    EXPECT_TRUE(caps.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT);
    EXPECT_TRUE(caps.DevCaps & D3DDEVCAPS_PUREDEVICE);
    EXPECT_TRUE(caps.TextureAddressCaps & D3DPTADDRESSCAPS_WRAP);

    EXPECT_EQ(D3D_OK, d3d->CheckDeviceType(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, FALSE));
    EXPECT_TRUE(FAILED(d3d->CheckDeviceType(0, D3DDEVTYPE_HAL, D3DFMT_A4R4G4B4, D3DFMT_A4R4G4B4, FALSE)));
    EXPECT_EQ(D3D_OK, d3d->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DUSAGE_DEPTHSTENCIL,
                                             D3DRTYPE_SURFACE, D3DFMT_D16));
    EXPECT_EQ(D3DERR_NOTAVAILABLE, d3d->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DUSAGE_DEPTHSTENCIL,
                                                          D3DRTYPE_SURFACE, D3DFMT_D15S1));
    EXPECT_EQ(D3D_OK, d3d->CheckDepthStencilMatch(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, D3DFMT_D24S8));
    d3d->Release();
}

TEST(D3D8Adapter, DeviceCreationRefusesWhatNoDeviceCanDo)
{
    GraphicsTestWindow window;
    TestDevice reference(window.Handle());
    IDirect3D8* d3d = reference.D3D();
    D3DPRESENT_PARAMETERS parameters = reference.Parameters();
    IDirect3DDevice8* device = nullptr;

    testcontrol::FailOnce(testcontrol::Failure::CreateDevice);
    EXPECT_EQ(D3DERR_NOTAVAILABLE,
              d3d->CreateDevice(0, D3DDEVTYPE_HAL, window.Handle(), D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters,
                                &device));
    EXPECT_EQ(nullptr, device);

    D3DPRESENT_PARAMETERS oddMode = parameters;
    oddMode.BackBufferWidth = 1000;
    EXPECT_EQ(D3DERR_INVALIDCALL, d3d->CreateDevice(0, D3DDEVTYPE_HAL, window.Handle(),
                                                    D3DCREATE_SOFTWARE_VERTEXPROCESSING, &oddMode, &device));
    // A pure device needs hardware vertex processing.
    EXPECT_EQ(D3DERR_INVALIDCALL,
              d3d->CreateDevice(0, D3DDEVTYPE_HAL, window.Handle(),
                                D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_PUREDEVICE, &parameters, &device));
    D3DPRESENT_PARAMETERS noWindow = parameters;
    noWindow.hDeviceWindow = nullptr;
    EXPECT_EQ(D3DERR_INVALIDCALL,
              d3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &noWindow, &device));
    D3DPRESENT_PARAMETERS badDepth = parameters;
    badDepth.EnableAutoDepthStencil = TRUE;
    badDepth.AutoDepthStencilFormat = D3DFMT_UNKNOWN;
    EXPECT_EQ(D3DERR_INVALIDCALL, d3d->CreateDevice(0, D3DDEVTYPE_HAL, window.Handle(),
                                                    D3DCREATE_SOFTWARE_VERTEXPROCESSING, &badDepth, &device));
    EXPECT_EQ(D3D_OK, d3d->CreateDevice(0, D3DDEVTYPE_HAL, window.Handle(),
                                        D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_PUREDEVICE, &parameters,
                                        &device));
    ASSERT_NE(nullptr, device);
    device->Release();
}

TEST_F(D3D8Device, ClearsTheWholeTargetOrOneRectangleWithExclusiveEdges)
{
    ASSERT_NE(nullptr, device.Get());
    ASSERT_EQ(D3D_OK, device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF102030, 0.0f, 0));
    D3DRECT rect = {10, 20, 50, 60};
    ASSERT_EQ(D3D_OK, device->Clear(1, &rect, D3DCLEAR_TARGET, 0x00FF0000, 0.0f, 0));
    std::vector<DWORD> frame = GraphicsTestWindow::Frame();
    EXPECT_EQ(0x102030u, GraphicsTestWindow::At(frame, 0, 0));
    EXPECT_EQ(0xFF0000u, GraphicsTestWindow::At(frame, 10, 20)); // alpha of a clear never matters
    EXPECT_EQ(0xFF0000u, GraphicsTestWindow::At(frame, 49, 59));
    EXPECT_EQ(0x102030u, GraphicsTestWindow::At(frame, 50, 59));
    EXPECT_EQ(0x102030u, GraphicsTestWindow::At(frame, 49, 60));
    EXPECT_EQ(0x102030u, GraphicsTestWindow::At(frame, 9, 20));
    EXPECT_EQ(0xFF000000u, frame[0] & 0xFF000000u);
}

TEST_F(D3D8Device, LineListDrawsSeparatePairsAndStripsJoinPoints)
{
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 0.0f, 0);
    // Two lines of a list; a polyline would also join (50, 10) to (10, 30).
    Vertex list[4] = {{10, 10, 0, 1, 0xC8FFFFFF, 0, 0},
                      {50, 10, 0, 1, 0xC8FFFFFF, 0, 0},
                      {10, 30, 0, 1, 0xC8FFFFFF, 0, 0},
                      {50, 30, 0, 1, 0xC8FFFFFF, 0, 0}};
    device->SetVertexShader(kFVF);
    ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_LINELIST, 2, list, sizeof(Vertex)));
    Vertex outline[5] = {{100, 100, 0, 1, 0xFF00FF00, 0, 0},
                         {140, 100, 0, 1, 0xFF00FF00, 0, 0},
                         {140, 120, 0, 1, 0xFF00FF00, 0, 0},
                         {100, 120, 0, 1, 0xFF00FF00, 0, 0},
                         {100, 100, 0, 1, 0xFF00FF00, 0, 0}};
    ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_LINESTRIP, 4, outline, sizeof(Vertex)));
    std::vector<DWORD> frame = GraphicsTestWindow::Frame();
    // Without blending the line's alpha does not fade it.
    EXPECT_EQ(0xFFFFFFu, GraphicsTestWindow::At(frame, 10, 10));
    EXPECT_EQ(0xFFFFFFu, GraphicsTestWindow::At(frame, 50, 10));
    EXPECT_EQ(0xFFFFFFu, GraphicsTestWindow::At(frame, 30, 30));
    EXPECT_EQ(0x000000u, GraphicsTestWindow::At(frame, 30, 20)); // nothing joins the pairs
    EXPECT_EQ(0x00FF00u, GraphicsTestWindow::At(frame, 120, 100));
    EXPECT_EQ(0x00FF00u, GraphicsTestWindow::At(frame, 140, 110));
    EXPECT_EQ(0x00FF00u, GraphicsTestWindow::At(frame, 120, 120));
    EXPECT_EQ(0x00FF00u, GraphicsTestWindow::At(frame, 100, 110));
    EXPECT_EQ(0x000000u, GraphicsTestWindow::At(frame, 120, 110));
}

TEST_F(D3D8Device, AQuadCoversExactlyItsPixelRectangle)
{
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 0.0f, 0);
    IDirect3DTexture8* texture = MakeTexture(device.Get(), 32, 32, std::vector<DWORD>(32 * 32, 0xFFFFFFFF));
    device->SetTexture(0, texture);
    DrawQuad(device.Get(), 100, 100, 16, 16, 0xFFFFFFFF);
    std::vector<DWORD> frame = GraphicsTestWindow::Frame();
    int minX = 1024, maxX = -1, minY = 768, maxY = -1;
    for (int y = 60; y < 140; ++y) {
        for (int x = 60; x < 140; ++x) {
            if (GraphicsTestWindow::At(frame, x, y) == 0)
                continue;
            minX = std::min(minX, x);
            maxX = std::max(maxX, x);
            minY = std::min(minY, y);
            maxY = std::max(maxY, y);
        }
    }
    EXPECT_EQ(84, minX);
    EXPECT_EQ(115, maxX);
    EXPECT_EQ(84, minY);
    EXPECT_EQ(115, maxY);
    device->SetTexture(0, nullptr);
    texture->Release();
}

TEST_F(D3D8Device, ColourKeyedTexelsAreNeverDrawnAndNearMagentaIs)
{
    SetAlphaTest(device.Get());
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF204060, 0.0f, 0);
    // Left half keyed out (alpha 0, magenta), right half near magenta and opaque.
    std::vector<DWORD> texels(4 * 4);
    for (int i = 0; i < 16; ++i)
        texels[i] = (i % 4) < 2 ? 0x00FF00FFu : 0xFFFF01FFu;
    IDirect3DTexture8* texture = MakeTexture(device.Get(), 4, 4, texels);
    device->SetTexture(0, texture);
    DrawQuad(device.Get(), 200, 200, 16, 16, 0xFFFFFFFF);
    std::vector<DWORD> frame = GraphicsTestWindow::Frame();
    EXPECT_EQ(0x204060u, GraphicsTestWindow::At(frame, 190, 200));
    EXPECT_EQ(0xFF01FFu, GraphicsTestWindow::At(frame, 210, 200));
    device->SetTexture(0, nullptr);
    texture->Release();
}

TEST_F(D3D8Device, TheDiffuseColourTintsTheTexture)
{
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 0.0f, 0);
    IDirect3DTexture8* texture = MakeTexture(device.Get(), 2, 2, std::vector<DWORD>(4, 0xFF80FF40));
    device->SetTexture(0, texture);
    DrawQuad(device.Get(), 50, 50, 10, 10, 0xFF00FF80);
    std::vector<DWORD> frame = GraphicsTestWindow::Frame();
    DWORD tinted = GraphicsTestWindow::At(frame, 50, 50);
    EXPECT_EQ(0u, (tinted >> 16) & 0xFF);
    EXPECT_EQ(0xFFu, (tinted >> 8) & 0xFF);
    EXPECT_NEAR(0x20, static_cast<int>(tinted & 0xFF), 1);
    device->SetTexture(0, nullptr);
    texture->Release();
}

TEST_F(D3D8Device, LockRefusesRectanglesOutsideTheTexture)
{
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(D3D_OK, device->CreateTexture(8, 8, 1, 0, D3DFMT_A1R5G5B5, D3DPOOL_MANAGED, &texture));
    D3DLOCKED_RECT locked = {};
    RECT outside = {4, 4, 9, 8};
    EXPECT_EQ(D3DERR_INVALIDCALL, texture->LockRect(0, &locked, &outside, 0));
    RECT inside = {4, 4, 8, 8};
    ASSERT_EQ(D3D_OK, texture->LockRect(0, &locked, &inside, 0));
    EXPECT_EQ(16, locked.Pitch);
    texture->UnlockRect(0);
    IDirect3DTexture8* failed = nullptr;
    EXPECT_EQ(D3DERR_INVALIDCALL, device->CreateTexture(8192, 8, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &failed));
    testcontrol::FailOnce(testcontrol::Failure::CreateTexture);
    EXPECT_TRUE(FAILED(device->CreateTexture(8, 8, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &failed)));
    EXPECT_EQ(nullptr, failed);
    texture->Release();
}

TEST_F(D3D8Device, CopyRectsFillsTexturesAndTheBackBufferUnscaled)
{
    IDirect3DSurface8* image = nullptr;
    ASSERT_EQ(D3D_OK, device->CreateImageSurface(4, 4, D3DFMT_X8R8G8B8, &image));
    D3DLOCKED_RECT locked = {};
    ASSERT_EQ(D3D_OK, image->LockRect(&locked, nullptr, 0));
    for (int y = 0; y < 4; ++y) {
        DWORD* row = reinterpret_cast<DWORD*>(static_cast<char*>(locked.pBits) + y * locked.Pitch);
        for (int x = 0; x < 4; ++x)
            row[x] = 0x00100000u * static_cast<DWORD>(x + 1) + 0x10u * static_cast<DWORD>(y + 1);
    }
    image->UnlockRect();

    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 0.0f, 0);
    IDirect3DSurface8* backBuffer = nullptr;
    ASSERT_EQ(D3D_OK, device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer));
    RECT source = {1, 1, 3, 3};
    POINT at = {300, 400};
    ASSERT_EQ(D3D_OK, device->CopyRects(image, &source, 1, backBuffer, &at));
    std::vector<DWORD> frame = GraphicsTestWindow::Frame();
    EXPECT_EQ(0x200020u, GraphicsTestWindow::At(frame, 300, 400));
    EXPECT_EQ(0x300030u, GraphicsTestWindow::At(frame, 301, 401));
    EXPECT_EQ(0u, GraphicsTestWindow::At(frame, 302, 401));
    backBuffer->Release();

    // A texture of another format is refused; one of the same format gets the texels.
    IDirect3DTexture8* wrong = nullptr;
    ASSERT_EQ(D3D_OK, device->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &wrong));
    IDirect3DSurface8* wrongLevel = nullptr;
    wrong->GetSurfaceLevel(0, &wrongLevel);
    EXPECT_EQ(D3DERR_INVALIDCALL, device->CopyRects(image, nullptr, 0, wrongLevel, nullptr));
    wrongLevel->Release();
    wrong->Release();

    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(D3D_OK, device->CreateTexture(4, 4, 1, 0, D3DFMT_X8R8G8B8, D3DPOOL_MANAGED, &texture));
    IDirect3DSurface8* level = nullptr;
    ASSERT_EQ(D3D_OK, texture->GetSurfaceLevel(0, &level));
    RECT rects[2] = {{0, 0, 1, 1}, {3, 3, 4, 4}};
    POINT points[2] = {{3, 0}, {0, 3}};
    ASSERT_EQ(D3D_OK, device->CopyRects(image, rects, 2, level, points));
    level->Release();
    ASSERT_EQ(D3D_OK, texture->LockRect(0, &locked, nullptr, D3DLOCK_READONLY));
    const DWORD* texels = static_cast<const DWORD*>(locked.pBits);
    EXPECT_EQ(0x00100010u, texels[3]);
    EXPECT_EQ(0x00400040u, texels[3 * 4]);
    texture->UnlockRect(0);
    texture->Release();
    image->Release();
}

TEST_F(D3D8Device, IsLostInTheBackgroundAndResetRestoresItWithItsTextures)
{
    IDirect3DTexture8* texture = MakeTexture(device.Get(), 2, 2, std::vector<DWORD>(4, 0xFF3366FF));
    EXPECT_EQ(D3D_OK, device->TestCooperativeLevel());

    testcontrol::SetFocus(false);
    GraphicsTestWindow::Pump();
    EXPECT_EQ(D3DERR_DEVICELOST, device->TestCooperativeLevel());
    EXPECT_EQ(D3DERR_DEVICELOST, device->Present(nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(D3DERR_DEVICELOST, device->Reset(&device.Parameters()));
    EXPECT_EQ(D3DERR_DEVICELOST, device->TestCooperativeLevel());

    testcontrol::SetFocus(true);
    GraphicsTestWindow::Pump();
    EXPECT_EQ(D3DERR_DEVICENOTRESET, device->TestCooperativeLevel());
    device->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
    testcontrol::FailOnce(testcontrol::Failure::Reset);
    EXPECT_TRUE(FAILED(device->Reset(&device.Parameters())));
    ASSERT_EQ(D3D_OK, device->Reset(&device.Parameters()));
    EXPECT_EQ(D3D_OK, device->TestCooperativeLevel());
    DWORD alphaTest = TRUE;
    device->GetRenderState(D3DRS_ALPHATESTENABLE, &alphaTest);
    EXPECT_EQ(static_cast<DWORD>(FALSE), alphaTest); // a reset restores the defaults

    // The managed texture still draws its texels.
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 0.0f, 0);
    device->SetTexture(0, texture);
    DrawQuad(device.Get(), 20, 20, 4, 4, 0xFFFFFFFF);
    EXPECT_EQ(0x3366FFu, GraphicsTestWindow::At(GraphicsTestWindow::Frame(), 20, 20));
    device->SetTexture(0, nullptr);
    texture->Release();
}

TEST_F(D3D8Device, PresentDrawsOnlyAFrameThatDiffersFromTheOneOnScreen)
{
    IDirect3DTexture8* texture = MakeTexture(device.Get(), 2, 2, std::vector<DWORD>(4, 0xFF3366FF));
    auto recolour = [&] {
        D3DLOCKED_RECT locked = {};
        ASSERT_EQ(D3D_OK, texture->LockRect(0, &locked, nullptr, 0));
        static_cast<DWORD*>(locked.pBits)[0] = 0xFF00FF00u;
        texture->UnlockRect(0);
    };
    auto expose = [] {
        testcontrol::ExposeWindow();
        GraphicsTestWindow::Pump();
    };
    const struct {
        const char* what;
        std::function<void()> before;
        float x;
        bool drawn;
        DWORD pixel; // at (x - 1, 19): the texel seen there
    } kSteps[] = {
        {"first frame", [] {}, 20, true, 0x3366FF},
        {"the same frame", [] {}, 20, false, 0x3366FF},
        {"the sprite moved", [] {}, 24, true, 0x3366FF},
        {"the same frame again", [] {}, 24, false, 0x3366FF},
        {"the texture changed", recolour, 24, true, 0x00FF00},
        {"the window lost its pixels", expose, 24, true, 0x00FF00},
        {"the same frame after that", [] {}, 24, false, 0x00FF00},
    };
    testcontrol::KeepPresentedFrames(true);
    for (const auto& step : kSteps) {
        step.before();
        int drawn = testcontrol::DrawnFrameCount();
        int presents = testcontrol::PresentCount();
        device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 0.0f, 0);
        device->SetTexture(0, texture);
        DrawQuad(device.Get(), step.x, 20, 2, 2, 0xFFFFFFFF);
        ASSERT_EQ(D3D_OK, device->Present(nullptr, nullptr, nullptr, nullptr));
        EXPECT_EQ(presents + 1, testcontrol::PresentCount()) << step.what;
        EXPECT_EQ(drawn + (step.drawn ? 1 : 0), testcontrol::DrawnFrameCount()) << step.what;
        // Whether drawn again or not, the frame read back is the one on screen.
        std::vector<DWORD> kept;
        ASSERT_TRUE(testcontrol::ReadPresentedFrame(kept));
        int x = static_cast<int>(step.x) - 1;
        EXPECT_EQ(step.pixel, GraphicsTestWindow::At(kept, x, 19)) << step.what;
        EXPECT_EQ(step.pixel, GraphicsTestWindow::At(GraphicsTestWindow::Frame(), x, 19)) << step.what;
    }
    testcontrol::KeepPresentedFrames(false);
    device->SetTexture(0, nullptr);
    texture->Release();
}

TEST_F(D3D8Device, TexelsOnceShownLiveInTheRendererAloneAndComeBackWhenLocked)
{
    const std::vector<DWORD> texels = {0xFF102030u, 0x80405060u, 0xFF708090u, 0x00A0B0C0u};
    IDirect3DTexture8* texture = MakeTexture(device.Get(), 2, 2, texels);
    const std::size_t held = testcontrol::PixelBytesHeld();
    device->SetTexture(0, texture);
    DrawQuad(device.Get(), 20, 20, 2, 2, 0xFFFFFFFF);
    ASSERT_EQ(D3D_OK, device->Present(nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(held - 16, testcontrol::PixelBytesHeld());

    D3DLOCKED_RECT locked = {};
    ASSERT_EQ(D3D_OK, texture->LockRect(0, &locked, nullptr, D3DLOCK_READONLY));
    EXPECT_EQ(held, testcontrol::PixelBytesHeld());
    for (int y = 0; y < 2; ++y) {
        const DWORD* row = reinterpret_cast<const DWORD*>(static_cast<const char*>(locked.pBits) + y * locked.Pitch);
        EXPECT_EQ(texels[y * 2], row[0]);
        EXPECT_EQ(texels[y * 2 + 1], row[1]);
    }
    texture->UnlockRect(0);
    device->SetTexture(0, nullptr);
    texture->Release();
}

TEST_F(D3D8Device, TestControlLosesTheDeviceUntilItIsReset)
{
    int presents = testcontrol::PresentCount();
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 0.0f, 0);
    EXPECT_EQ(D3D_OK, device->Present(nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(presents + 1, testcontrol::PresentCount());
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFFFF0000, 0.0f, 0); // never shown: the device goes
    testcontrol::LoseDevice();
    EXPECT_EQ(D3DERR_DEVICELOST, device->TestCooperativeLevel());
    EXPECT_EQ(D3DERR_DEVICENOTRESET, device->TestCooperativeLevel());
    EXPECT_EQ(D3DERR_DEVICELOST, device->Present(nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(presents + 1, testcontrol::PresentCount());
    ASSERT_EQ(D3D_OK, device->Reset(&device.Parameters()));
    testcontrol::RequireDeviceReset();
    EXPECT_EQ(D3DERR_DEVICENOTRESET, device->TestCooperativeLevel());
    ASSERT_EQ(D3D_OK, device->Reset(&device.Parameters()));
    EXPECT_EQ(D3D_OK, device->TestCooperativeLevel());
    EXPECT_EQ(D3D_OK, device->Present(nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(0u, GraphicsTestWindow::At(GraphicsTestWindow::Frame(), 10, 10));
}

TEST_F(D3D8Device, KeptFramesAreThePresentedPicture)
{
    testcontrol::KeepPresentedFrames(true);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF0000FF, 0.0f, 0);
    ASSERT_EQ(D3D_OK, device->Present(nullptr, nullptr, nullptr, nullptr));
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFFFF0000, 0.0f, 0); // drawn, not presented
    std::vector<DWORD> presented;
    int width = 0, height = 0;
    ASSERT_TRUE(testcontrol::ReadPresentedFrame(presented, &width, &height));
    EXPECT_EQ(1024, width);
    EXPECT_EQ(768, height);
    EXPECT_EQ(0xFF0000FFu, presented[500 * 1024 + 700]);
    EXPECT_EQ(0xFF0000u, GraphicsTestWindow::At(GraphicsTestWindow::Frame(), 700, 500));
}

TEST_F(D3D8Device, SceneCallsMustPair)
{
    EXPECT_EQ(D3DERR_INVALIDCALL, device->EndScene());
    EXPECT_EQ(D3D_OK, device->BeginScene());
    EXPECT_EQ(D3DERR_INVALIDCALL, device->BeginScene());
    EXPECT_EQ(D3D_OK, device->EndScene());
    Vertex one[2] = {};
    device->SetVertexShader(kFVF);
    EXPECT_EQ(D3DERR_INVALIDCALL, device->DrawPrimitiveUP(D3DPT_LINELIST, 1, one, 12));
    EXPECT_EQ(D3DERR_INVALIDCALL, device->DrawPrimitiveUP(D3DPT_LINELIST, 1, nullptr, sizeof(Vertex)));
}
