#include "tnscreen.h"

#include <cassert>
#include <cstdio>
#include <cstring>

tnScreen* tnScreen::m_pkSingleton = nullptr;

// --- Format helpers -----------------------------------------------------------
namespace {

struct FormatInfo {
    D3DFORMAT format;
    const char* name;
    tnUInt32 r, g, b, a, x; // channel masks
};

const FormatInfo kColourFormats[] = {
    {D3DFMT_R8G8B8, "R8G8B8", 0xFF0000, 0x00FF00, 0x0000FF, 0, 0},
    {D3DFMT_A8R8G8B8, "A8R8G8B8", 0xFF0000, 0x00FF00, 0x0000FF, 0xFF000000, 0},
    {D3DFMT_X8R8G8B8, "X8R8G8B8", 0xFF0000, 0x00FF00, 0x0000FF, 0, 0xFF000000},
    {D3DFMT_R5G6B5, "R5G6B5", 0xF800, 0x07E0, 0x001F, 0, 0},
    {D3DFMT_X1R5G5B5, "X1R5G5B5", 0x7C00, 0x03E0, 0x001F, 0, 0x8000},
    {D3DFMT_A1R5G5B5, "A1R5G5B5", 0x7C00, 0x03E0, 0x001F, 0x8000, 0},
    {D3DFMT_A4R4G4B4, "A4R4G4B4", 0x0F00, 0x00F0, 0x000F, 0xF000, 0},
    {D3DFMT_R3G3B2, "R3G3B2", 0xE0, 0x1C, 0x03, 0, 0},
    {D3DFMT_A8, "A8", 0, 0, 0, 0xFF, 0},
    {D3DFMT_A8R3G3B2, "A8R3G3B2", 0xE0, 0x1C, 0x03, 0xFF00, 0},
    {D3DFMT_X4R4G4B4, "X4R4G4B4", 0x0F00, 0x00F0, 0x000F, 0, 0xF000},
};

struct DepthInfo {
    D3DFORMAT format;
    const char* name;
    tnUInt32 depth, stencil; // masks
};

const DepthInfo kDepthFormats[] = {
    {D3DFMT_D16_LOCKABLE, "(D16)", 0xFFFF, 0},  {D3DFMT_D16, "(D16)", 0xFFFF, 0},
    {D3DFMT_D32, "(D32)", 0xFFFFFFFF, 0},       {D3DFMT_D15S1, "(D15S1)", 0xFFFE, 0x0001},
    {D3DFMT_D24S8, "(D24S8)", 0xFFFFFF00, 0xFF}, {D3DFMT_D24X8, "(D24X8)", 0xFFFFFF00, 0},
    {D3DFMT_D24X4S4, "(D24X4S4)", 0xFFFFFF00, 0x0F},
};

const FormatInfo* FindColour(D3DFORMAT format)
{
    for (const FormatInfo& info : kColourFormats) {
        if (info.format == format)
            return &info;
    }
    return nullptr;
}

const DepthInfo* FindDepth(D3DFORMAT format)
{
    for (const DepthInfo& info : kDepthFormats) {
        if (info.format == format)
            return &info;
    }
    return nullptr;
}

tnUInt32 CountBits(tnUInt32 mask)
{
    tnUInt32 bits = 0;
    for (; mask; mask &= mask - 1)
        ++bits;
    return bits;
}

tnUInt32 ColourMask(D3DFORMAT format, tnUInt32 FormatInfo::*channel)
{
    const FormatInfo* info = FindColour(format);
    return info ? info->*channel : 0;
}

tnUInt32 DepthMask(D3DFORMAT format, tnUInt32 DepthInfo::*channel)
{
    const DepthInfo* info = FindDepth(format);
    return info ? info->*channel : 0;
}

// Copies text into a fixed field, cut to fit.
void Append(char* field, std::size_t size, const char* text)
{
    std::size_t used = std::strlen(field);
    while (used + 1 < size && *text)
        field[used++] = *text++;
    field[used] = '\0';
}

} // namespace

void GetFormatName(D3DFORMAT format, char* out)
{
    if (!out)
        return;
    const FormatInfo* info = FindColour(format);
    std::strcpy(out, info ? info->name : "Unknown");
}

tnUInt32 GetFormatRMask(D3DFORMAT format) { return ColourMask(format, &FormatInfo::r); }
tnUInt32 GetFormatGMask(D3DFORMAT format) { return ColourMask(format, &FormatInfo::g); }
tnUInt32 GetFormatBMask(D3DFORMAT format) { return ColourMask(format, &FormatInfo::b); }
tnUInt32 GetFormatAMask(D3DFORMAT format) { return ColourMask(format, &FormatInfo::a); }
tnUInt32 GetFormatXMask(D3DFORMAT format) { return ColourMask(format, &FormatInfo::x); }
tnUInt32 GetFormatDMask(D3DFORMAT format) { return DepthMask(format, &DepthInfo::depth); }
tnUInt32 GetFormatSMask(D3DFORMAT format) { return DepthMask(format, &DepthInfo::stencil); }
tnUInt32 GetFormatRBits(D3DFORMAT format) { return CountBits(GetFormatRMask(format)); }
tnUInt32 GetFormatGBits(D3DFORMAT format) { return CountBits(GetFormatGMask(format)); }
tnUInt32 GetFormatBBits(D3DFORMAT format) { return CountBits(GetFormatBMask(format)); }
tnUInt32 GetFormatABits(D3DFORMAT format) { return CountBits(GetFormatAMask(format)); }
tnUInt32 GetFormatXBits(D3DFORMAT format) { return CountBits(GetFormatXMask(format)); }
tnUInt32 GetFormatDBits(D3DFORMAT format) { return CountBits(GetFormatDMask(format)); }
tnUInt32 GetFormatSBits(D3DFORMAT format) { return CountBits(GetFormatSMask(format)); }

tnUInt32 GetBitsPerPixel(D3DFORMAT format)
{
    switch (format) {
    case D3DFMT_R8G8B8: return 24;
    case D3DFMT_A8R8G8B8:
    case D3DFMT_X8R8G8B8: return 32;
    case D3DFMT_R5G6B5:
    case D3DFMT_X1R5G5B5:
    case D3DFMT_A1R5G5B5:
    case D3DFMT_A4R4G4B4:
    case D3DFMT_X4R4G4B4: return 16;
    default: return 0;
    }
}

const char* GetDepthFormatName(D3DFORMAT format)
{
    const DepthInfo* info = format == D3DFMT_D16_LOCKABLE ? nullptr : FindDepth(format);
    return info ? info->name : "NO";
}

// --- Construction and the singleton --------------------------------------------
struct tnScreen::Candidate {
    bool found = false;
    tnUInt32 adapter = 0;
    D3DDEVTYPE type = D3DDEVTYPE_HAL;
    DWORD behavior = 0;
    D3DFORMAT depthFormat = D3DFMT_UNKNOWN;
    D3DFORMAT format = D3DFMT_UNKNOWN;
};

tnScreen::tnScreen()
    : tnScreen(nullptr)
{
}

tnScreen::tnScreen(HWND window)
    : m_pkD3D(nullptr), m_iAdapter(0), m_eDeviceType(D3DDEVTYPE_HAL), m_pkD3DDevice(nullptr), m_kPresentParameters(),
      m_kViewport(), m_d3dsdBackBuffer(), m_iBehavior(0), m_pD3DXFont(nullptr), m_pD3DXFont2(nullptr),
      m_pD3DXFont3(nullptr), m_bUseDepthBuffer(true), m_iMinDepthBits(16), m_iMinStencilBits(0), m_hWindow(window),
      m_iFPS(0), m_bReady(false), m_strDeviceStats(), m_strFrameStats()
{
    assert(!m_pkSingleton);
    m_pkSingleton = this;
}

tnScreen::~tnScreen()
{
    tnScreen::CleanUp();
    if (m_pkSingleton == this)
        m_pkSingleton = nullptr;
}

tnScreen* tnScreen::GetSingleton()
{
    assert(m_pkSingleton);
    return m_pkSingleton;
}

// --- Hooks ------------------------------------------------------------------
tnError32 tnScreen::ConfirmDevice(D3DCAPS8*, DWORD, D3DFORMAT) { return tnOK; }
tnError32 tnScreen::InitDeviceObjects() { return tnOK; }
tnError32 tnScreen::RestoreDeviceObjects() { return tnOK; }
tnError32 tnScreen::Render() { return tnOK; }
tnError32 tnScreen::InvalidateDeviceObjects() { return tnOK; }
tnError32 tnScreen::DeleteDeviceObjects() { return tnOK; }

tnError32 tnScreen::RecoverDevice()
{
    if (!m_pkD3DDevice)
        return tnOK;
    HRESULT state = m_pkD3DDevice->TestCooperativeLevel();
    if (state != D3DERR_DEVICENOTRESET)
        return tnOK;
    // The invalidation's result does not stop the recovery.
    InvalidateDeviceObjects();
    if (SUCCEEDED(m_pkD3DDevice->Reset(&m_kPresentParameters))) {
        ReadBackBufferDesc();
        RestoreDeviceObjects();
    }
    return tnOK;
}

void tnScreen::CleanUp()
{
    if (m_pkD3DDevice) {
        m_pkD3DDevice->SetTexture(0, nullptr);
        m_pkD3DDevice->Release();
        m_pkD3DDevice = nullptr;
    }
    if (m_pkD3D) {
        m_pkD3D->Release();
        m_pkD3D = nullptr;
    }
    m_iFPS = 0;
    if (m_pkSingleton == this)
        m_pkSingleton = nullptr;
}

// --- Device creation ------------------------------------------------------------
tnError32 tnScreen::InitD3D(HWND window)
{
    if (m_pkD3D)
        m_pkD3D->Release();
    m_pkD3D = Direct3DCreate8(D3D_SDK_VERSION);
    m_hWindow = window;
    m_bUseDepthBuffer = false;
    return m_pkD3D ? tnOK : tnErrorCreateD3D;
}

DWORD tnScreen::ChooseBehavior(D3DCAPS8& caps, D3DFORMAT format)
{
    if (caps.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT) {
        const DWORD hardware[] = {D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_PUREDEVICE,
                                  D3DCREATE_HARDWARE_VERTEXPROCESSING, D3DCREATE_MIXED_VERTEXPROCESSING};
        for (DWORD behavior : hardware) {
            bool needsPure = (behavior & D3DCREATE_PUREDEVICE) != 0;
            if (needsPure && !(caps.DevCaps & D3DDEVCAPS_PUREDEVICE))
                continue;
            if (ConfirmDevice(&caps, behavior, format) == tnOK)
                return behavior;
        }
    }
    if (ConfirmDevice(&caps, D3DCREATE_SOFTWARE_VERTEXPROCESSING, format) == tnOK)
        return D3DCREATE_SOFTWARE_VERTEXPROCESSING;
    return 0;
}

D3DFORMAT tnScreen::ChooseDepthFormat(tnUInt32 adapter, D3DDEVTYPE type, D3DFORMAT format)
{
    struct Choice {
        D3DFORMAT depth;
        tnUInt32 maxDepth, maxStencil;
    };
    const Choice order[] = {{D3DFMT_D16, 16, 0},   {D3DFMT_D15S1, 15, 1},  {D3DFMT_D24X8, 24, 0},
                            {D3DFMT_D24S8, 24, 8}, {D3DFMT_D24X4S4, 24, 4}, {D3DFMT_D32, 32, 0}};
    for (const Choice& choice : order) {
        if (m_iMinDepthBits > choice.maxDepth || m_iMinStencilBits > choice.maxStencil)
            continue;
        if (SUCCEEDED(m_pkD3D->CheckDeviceFormat(adapter, type, format, D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE,
                                                 choice.depth)) &&
            SUCCEEDED(m_pkD3D->CheckDepthStencilMatch(adapter, type, format, format, choice.depth)))
            return choice.depth;
    }
    return D3DFMT_UNKNOWN;
}

bool tnScreen::TryMode(tnUInt32 adapter, D3DDEVTYPE type, D3DFORMAT format, Candidate& candidate)
{
    if (FAILED(m_pkD3D->CheckDeviceType(adapter, type, format, format, FALSE)))
        return false;
    D3DCAPS8 caps = {};
    if (FAILED(m_pkD3D->GetDeviceCaps(adapter, type, &caps)))
        return false;
    DWORD behavior = ChooseBehavior(caps, format);
    if (behavior == 0)
        return false;
    candidate.found = true;
    candidate.adapter = adapter;
    candidate.type = type;
    candidate.behavior = behavior;
    candidate.format = format;
    candidate.depthFormat = m_bUseDepthBuffer ? ChooseDepthFormat(adapter, type, format) : D3DFMT_UNKNOWN;
    return true;
}

bool tnScreen::FindCandidate(tnUInt16 width, tnUInt16 height, tnUInt16 bitsPerPixel, Candidate& found)
{
    for (UINT adapter = 0; adapter < m_pkD3D->GetAdapterCount(); ++adapter) {
        for (UINT index = 0; index < m_pkD3D->GetAdapterModeCount(adapter); ++index) {
            D3DDISPLAYMODE mode = {};
            if (FAILED(m_pkD3D->EnumAdapterModes(adapter, index, &mode)) || mode.Width != width ||
                mode.Height != height || ::GetBitsPerPixel(mode.Format) != bitsPerPixel)
                continue;
            // A hardware device ends the search; a reference one is kept
            // until a hardware one turns up.
            const D3DDEVTYPE types[] = {D3DDEVTYPE_HAL, D3DDEVTYPE_REF};
            for (D3DDEVTYPE type : types) {
                Candidate candidate;
                if (!TryMode(adapter, type, mode.Format, candidate))
                    continue;
                found = candidate;
                if (type == D3DDEVTYPE_HAL)
                    return true;
            }
        }
    }
    return found.found;
}

tnError32 tnScreen::CreateWindowedDevice()
{
    D3DDISPLAYMODE desktop = {};
    if (FAILED(m_pkD3D->GetAdapterDisplayMode(0, &desktop)))
        return tnErrorDisplayMode;
    m_kPresentParameters.Windowed = TRUE;
    m_kPresentParameters.BackBufferCount = 1;
    m_kPresentParameters.BackBufferFormat = desktop.Format;
    m_kPresentParameters.BackBufferWidth = desktop.Width;
    m_kPresentParameters.BackBufferHeight = desktop.Height;
    m_kPresentParameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    m_kPresentParameters.hDeviceWindow = m_hWindow;
    const D3DDEVTYPE types[] = {D3DDEVTYPE_HAL, D3DDEVTYPE_REF};
    for (D3DDEVTYPE type : types) {
        if (SUCCEEDED(m_pkD3D->CreateDevice(0, type, m_hWindow, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                                            &m_kPresentParameters, &m_pkD3DDevice))) {
            m_eDeviceType = type;
            m_iBehavior = D3DCREATE_SOFTWARE_VERTEXPROCESSING;
            ReadBackBufferDesc();
            return type == D3DDEVTYPE_HAL ? tnOK : tnErrorReferenceDevice;
        }
    }
    return tnErrorCreateDevice;
}

tnError32 tnScreen::InitD3DDevice(bool fullScreen, tnUInt16 width, tnUInt16 height, tnUInt16 bitsPerPixel)
{
    if (!m_pkD3D)
        return tnErrorCreateDevice;
    // A device still held would leak: this one replaces it.
    if (m_pkD3DDevice) {
        m_pkD3DDevice->Release();
        m_pkD3DDevice = nullptr;
    }
    m_kPresentParameters = D3DPRESENT_PARAMETERS();
    if (!fullScreen)
        return CreateWindowedDevice();

    m_kPresentParameters.Windowed = FALSE;
    m_kPresentParameters.BackBufferCount = 1;
    m_kPresentParameters.BackBufferWidth = width;
    m_kPresentParameters.BackBufferHeight = height;
    m_kPresentParameters.FullScreen_RefreshRateInHz = D3DPRESENT_RATE_DEFAULT;
    m_kPresentParameters.FullScreen_PresentationInterval = D3DPRESENT_INTERVAL_DEFAULT;
    m_kPresentParameters.SwapEffect = D3DSWAPEFFECT_COPY;
    m_kPresentParameters.MultiSampleType = D3DMULTISAMPLE_NONE;
    m_kPresentParameters.EnableAutoDepthStencil = m_bUseDepthBuffer ? TRUE : FALSE;
    m_kPresentParameters.hDeviceWindow = m_hWindow;
    m_kPresentParameters.Flags = 0;
    if (bitsPerPixel == 0) {
        D3DDISPLAYMODE desktop = {};
        if (FAILED(m_pkD3D->GetAdapterDisplayMode(0, &desktop)))
            return tnErrorDisplayMode;
        bitsPerPixel = static_cast<tnUInt16>(::GetBitsPerPixel(desktop.Format));
    }

    Candidate chosen;
    if (!FindCandidate(width, height, bitsPerPixel, chosen))
        return tnErrorCreateDevice;
    m_kPresentParameters.BackBufferFormat = chosen.format;
    m_kPresentParameters.AutoDepthStencilFormat = chosen.depthFormat;
    if (FAILED(m_pkD3D->CreateDevice(0, chosen.type, m_hWindow, chosen.behavior, &m_kPresentParameters,
                                     &m_pkD3DDevice))) {
        m_pkD3DDevice = nullptr;
        return tnErrorCreateDevice;
    }
    m_iAdapter = chosen.adapter;
    m_eDeviceType = chosen.type;
    m_iBehavior = chosen.behavior;
    ReadBackBufferDesc();
    m_kViewport = {0, 0, width, height, 0.0f, 1.0f};
    m_pkD3DDevice->SetViewport(&m_kViewport);
    DescribeDevice(chosen);
    return chosen.type == D3DDEVTYPE_HAL ? tnOK : tnErrorReferenceDevice;
}

void tnScreen::ReadBackBufferDesc()
{
    IDirect3DSurface8* backBuffer = nullptr;
    if (SUCCEEDED(m_pkD3DDevice->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer))) {
        backBuffer->GetDesc(&m_d3dsdBackBuffer);
        backBuffer->Release();
    }
}

void tnScreen::DescribeDevice(const Candidate& chosen)
{
    const char* typeName = chosen.type == D3DDEVTYPE_REF ? "REF" : (chosen.type == D3DDEVTYPE_HAL ? "HAL" : "SW");
    bool hardware = chosen.type == D3DDEVTYPE_HAL;
    const char* processing = " (sw vp)";
    if ((chosen.behavior & D3DCREATE_HARDWARE_VERTEXPROCESSING) && (chosen.behavior & D3DCREATE_PUREDEVICE))
        processing = hardware ? " (pure hw vp)" : " (simulated pure hw vp)";
    else if (chosen.behavior & D3DCREATE_HARDWARE_VERTEXPROCESSING)
        processing = hardware ? " (hw vp)" : " (simulated hw vp)";
    else if (chosen.behavior & D3DCREATE_MIXED_VERTEXPROCESSING)
        processing = hardware ? " (mixed vp)" : " (simulated mixed vp)";

    m_strDeviceStats[0] = '\0';
    Append(m_strDeviceStats, sizeof(m_strDeviceStats), typeName);
    Append(m_strDeviceStats, sizeof(m_strDeviceStats), processing);
    D3DADAPTER_IDENTIFIER8 identifier = {};
    if (hardware && SUCCEEDED(m_pkD3D->GetAdapterIdentifier(chosen.adapter, 0, &identifier))) {
        Append(m_strDeviceStats, sizeof(m_strDeviceStats), "\n\tDriver: ");
        Append(m_strDeviceStats, sizeof(m_strDeviceStats), identifier.Driver);
        Append(m_strDeviceStats, sizeof(m_strDeviceStats), "\n\tDesc: ");
        Append(m_strDeviceStats, sizeof(m_strDeviceStats), identifier.Description);
    }
    std::snprintf(m_strFrameStats, sizeof(m_strFrameStats), "(%ux%ux%u)\n\tStentilFormat: %s",
                  m_kPresentParameters.BackBufferWidth, m_kPresentParameters.BackBufferHeight, GetBitsPerPixel(),
                  GetDepthFormatName(m_kPresentParameters.AutoDepthStencilFormat));
}

tnError32 tnScreen::ChangeDevice(bool fullScreen, tnUInt16 width, tnUInt16 height, tnUInt16 bitsPerPixel)
{
    bool same = m_pkD3DDevice && (m_kPresentParameters.Windowed == FALSE) == fullScreen &&
                GetScreenWidth() == width && GetScreenHeight() == height && GetBitsPerPixel() == bitsPerPixel;
    if (same)
        return tnOK;
    m_bReady = false;
    InvalidateDeviceObjects();
    DeleteDeviceObjects();
    if (m_pkD3DDevice) {
        m_pkD3DDevice->Release();
        m_pkD3DDevice = nullptr;
    }
    tnError32 result = InitD3DDevice(fullScreen, width, height, bitsPerPixel);
    if (result == tnOK) {
        InitDeviceObjects();
        RestoreDeviceObjects();
    }
    m_bReady = true;
    return result;
}

tnUInt32 tnScreen::GetBitsPerPixel() const
{
    return ::GetBitsPerPixel(GetBackBufferFormat());
}

// --- Frames and drawing --------------------------------------------------------
tnError32 tnScreen::StartFrame()
{
    if (!m_pkD3DDevice || FAILED(m_pkD3DDevice->BeginScene()))
        return tnErrorBeginScene;
    return tnOK;
}

tnError32 tnScreen::EndFrame()
{
    if (!m_pkD3DDevice || FAILED(m_pkD3DDevice->EndScene()))
        return tnErrorEndScene;
    // A frame drawn while the program is in the background is not shown.
    if (m_bReady && GetForegroundWindow() == m_hWindow)
        m_pkD3DDevice->Present(nullptr, nullptr, nullptr, nullptr);
    return tnOK;
}

tnError32 tnScreen::Clear(D3DCOLOR colour, D3DRECT* rect)
{
    if (!m_pkD3DDevice || FAILED(m_pkD3DDevice->Clear(rect ? 1 : 0, rect, D3DCLEAR_TARGET, colour, 0.0f, 0)))
        return tnErrorClear;
    return tnOK;
}

tnError32 tnScreen::DrawVertices(D3DPRIMITIVETYPE type, tnUInt32 primitives, tnVertex* vertices)
{
    if (!m_pkD3DDevice)
        return tnErrorDrawPrimitive;
    m_pkD3DDevice->SetVertexShader(tnVertexFVF);
    if (FAILED(m_pkD3DDevice->DrawPrimitiveUP(type, primitives, vertices, sizeof(tnVertex))))
        return tnErrorDrawPrimitive;
    return tnOK;
}

namespace {
D3DCOLOR PackColour(tnUInt8 r, tnUInt8 g, tnUInt8 b, tnUInt8 a)
{
    return (static_cast<D3DCOLOR>(a) << 24) | (static_cast<D3DCOLOR>(r) << 16) | (static_cast<D3DCOLOR>(g) << 8) | b;
}

tnVertex Point(tnReal32 x, tnReal32 y, D3DCOLOR colour)
{
    return {x, y, 0.0f, 1.0f, colour, 0.0f, 0.0f};
}
} // namespace

tnError32 tnScreen::DrawLine(tnReal32 x1, tnReal32 y1, tnReal32 x2, tnReal32 y2, tnUInt8 r, tnUInt8 g, tnUInt8 b,
                             tnUInt8 a)
{
    D3DCOLOR colour = PackColour(r, g, b, a);
    tnVertex line[2] = {Point(x1, y1, colour), Point(x2, y2, colour)};
    return DrawVertices(D3DPT_LINELIST, 1, line);
}

tnError32 tnScreen::DrawRectangle(tnReal32 x1, tnReal32 y1, tnReal32 x2, tnReal32 y2, tnUInt8 r, tnUInt8 g,
                                  tnUInt8 b, tnUInt8 a)
{
    D3DCOLOR colour = PackColour(r, g, b, a);
    tnVertex outline[5] = {Point(x1, y1, colour), Point(x2, y1, colour), Point(x2, y2, colour),
                           Point(x1, y2, colour), Point(x1, y1, colour)};
    return DrawVertices(D3DPT_LINESTRIP, 4, outline);
}

tnError32 tnScreen::DrawLines(tnUInt8 r, tnUInt8 g, tnUInt8 b, tnUInt8 a, tnVertex* vertices, tnUInt32 count)
{
    if (!vertices || count == 0)
        return tnErrorDrawPrimitive;
    D3DCOLOR colour = PackColour(r, g, b, a);
    for (tnUInt32 i = 0; i <= count; ++i)
        vertices[i].colour = colour;
    return DrawVertices(D3DPT_LINESTRIP, count, vertices);
}

void tnScreen::ShowCursor(bool show)
{
    if (m_pkD3DDevice)
        m_pkD3DDevice->ShowCursor(show ? TRUE : FALSE);
}
