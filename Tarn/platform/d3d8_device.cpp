// Direct3D 8 over SDL_Renderer: one virtual adapter, and a device that
// records each frame's drawing and, at Present, draws it into the display's
// 1024 x 768 picture and shows it, unless it is the picture already shown.
#include "d3d8_internal.h"
#include "sdl_display.h"
#include "testcontrol.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>

namespace platform {

namespace {

// The modes the virtual adapter offers: the sizes the game may ask for, in
// 16 and 32 bits per pixel.
const D3DDISPLAYMODE kModes[] = {
    {640, 480, 60, D3DFMT_R5G6B5},   {640, 480, 60, D3DFMT_X8R8G8B8},  {800, 600, 60, D3DFMT_R5G6B5},
    {800, 600, 60, D3DFMT_X8R8G8B8}, {1024, 768, 60, D3DFMT_R5G6B5}, {1024, 768, 60, D3DFMT_X8R8G8B8},
};
const UINT kModeCount = sizeof(kModes) / sizeof(kModes[0]);

bool IsDisplayFormat(D3DFORMAT format)
{
    return format == D3DFMT_X8R8G8B8 || format == D3DFMT_R5G6B5;
}

bool IsBackBufferFormat(D3DFORMAT format)
{
    return IsDisplayFormat(format) || format == D3DFMT_A8R8G8B8;
}

bool IsDepthFormat(D3DFORMAT format)
{
    // D15S1 and D24X4S4 are not offered, as on many real cards.
    return format == D3DFMT_D16 || format == D3DFMT_D16_LOCKABLE || format == D3DFMT_D24X8 ||
           format == D3DFMT_D24S8 || format == D3DFMT_D32;
}

bool IsTextureFormat(D3DFORMAT format)
{
    return FormatBytes(format) != 0;
}

bool IsOfferedMode(UINT width, UINT height, D3DFORMAT format)
{
    for (const D3DDISPLAYMODE& mode : kModes) {
        if (mode.Width == width && mode.Height == height && mode.Format == format)
            return true;
    }
    return false;
}

std::set<DeviceImpl*>& LiveDevices()
{
    static std::set<DeviceImpl*>* devices = new std::set<DeviceImpl*>();
    return *devices;
}

void FillCaps(D3DDEVTYPE type, D3DCAPS8* caps)
{
    *caps = {};
    caps->DeviceType = type;
    caps->AdapterOrdinal = 0;
    caps->DevCaps = D3DDEVCAPS_HWTRANSFORMANDLIGHT | D3DDEVCAPS_PUREDEVICE;
    caps->PresentationIntervals = 1;
    caps->ZCmpCaps = 0xFF;
    caps->AlphaCmpCaps = 0xFF;
    caps->SrcBlendCaps = 0x1FFF;
    caps->DestBlendCaps = 0x1FFF;
    caps->TextureAddressCaps =
        D3DPTADDRESSCAPS_WRAP | D3DPTADDRESSCAPS_MIRROR | D3DPTADDRESSCAPS_CLAMP | D3DPTADDRESSCAPS_BORDER;
    caps->MaxTextureWidth = 4096;
    caps->MaxTextureHeight = 4096;
    caps->MaxTextureRepeat = 8192;
    caps->MaxTextureAspectRatio = 4096;
    caps->MaxVertexW = 1.0e10f;
    caps->MaxTextureBlendStages = 1;
    caps->MaxSimultaneousTextures = 1;
    caps->MaxPrimitiveCount = 0xFFFFF;
    caps->MaxVertexIndex = 0xFFFFF;
    caps->MaxStreams = 1;
    caps->MaxStreamStride = 256;
}

bool ValidBehaviour(DWORD behaviour)
{
    DWORD processing = behaviour & (D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_HARDWARE_VERTEXPROCESSING |
                                    D3DCREATE_MIXED_VERTEXPROCESSING);
    bool one = processing == D3DCREATE_SOFTWARE_VERTEXPROCESSING ||
               processing == D3DCREATE_HARDWARE_VERTEXPROCESSING || processing == D3DCREATE_MIXED_VERTEXPROCESSING;
    bool pureNeedsHardware = !(behaviour & D3DCREATE_PUREDEVICE) || processing == D3DCREATE_HARDWARE_VERTEXPROCESSING;
    return one && pureNeedsHardware;
}

// Checks present parameters and fills in what a windowed device takes from
// the desktop. False when no device can be made with them.
bool CompleteParameters(D3DPRESENT_PARAMETERS& parameters)
{
    const Display& display = GetDisplay();
    if (!IsOurWindow(parameters.hDeviceWindow) || !display.renderer)
        return false;
    if (parameters.EnableAutoDepthStencil && !IsDepthFormat(parameters.AutoDepthStencilFormat))
        return false;
    if (parameters.BackBufferCount > 1)
        return false;
    if (!parameters.Windowed)
        return IsOfferedMode(parameters.BackBufferWidth, parameters.BackBufferHeight, parameters.BackBufferFormat);
    if (parameters.BackBufferFormat == D3DFMT_UNKNOWN)
        parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
    if (parameters.BackBufferWidth == 0)
        parameters.BackBufferWidth = static_cast<UINT>(display.width);
    if (parameters.BackBufferHeight == 0)
        parameters.BackBufferHeight = static_cast<UINT>(display.height);
    return IsBackBufferFormat(parameters.BackBufferFormat) && parameters.BackBufferWidth <= PixelStore::kMaxSide &&
           parameters.BackBufferHeight <= PixelStore::kMaxSide;
}

// The picture takes the device's size (a full-screen mode change); the
// window shows it letterboxed whatever its size.
bool FitBackBuffer(UINT width, UINT height)
{
    return SetPictureSize(static_cast<int>(width), static_cast<int>(height));
}

} // namespace

// --- The Direct3D object -----------------------------------------------------
class Direct3DImpl : public RefCounted<IDirect3D8> {
public:
    UINT GetAdapterCount() override { return 1; }

    HRESULT GetAdapterIdentifier(UINT adapter, DWORD, D3DADAPTER_IDENTIFIER8* identifier) override
    {
        if (adapter != 0 || !identifier)
            return D3DERR_INVALIDCALL;
        *identifier = {};
        SDL_RendererInfo info = {};
        const char* name = "none";
        if (GetDisplay().renderer && SDL_GetRendererInfo(GetDisplay().renderer, &info) == 0 && info.name)
            name = info.name;
        std::snprintf(identifier->Driver, sizeof(identifier->Driver), "sdl2-%s", name);
        std::snprintf(identifier->Description, sizeof(identifier->Description), "SDL2 %s renderer", name);
        identifier->VendorId = 0x5344;
        identifier->DeviceId = 0x4C32;
        return D3D_OK;
    }

    UINT GetAdapterModeCount(UINT adapter) override { return adapter == 0 ? kModeCount : 0; }

    HRESULT EnumAdapterModes(UINT adapter, UINT mode, D3DDISPLAYMODE* displayMode) override
    {
        if (adapter != 0 || mode >= kModeCount || !displayMode)
            return D3DERR_INVALIDCALL;
        *displayMode = kModes[mode];
        return D3D_OK;
    }

    HRESULT GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* displayMode) override
    {
        if (adapter != 0 || !displayMode)
            return D3DERR_INVALIDCALL;
        const Display& display = GetDisplay();
        displayMode->Width = static_cast<UINT>(display.width);
        displayMode->Height = static_cast<UINT>(display.height);
        displayMode->RefreshRate = 60;
        displayMode->Format = D3DFMT_X8R8G8B8;
        return D3D_OK;
    }

    HRESULT CheckDeviceType(UINT adapter, D3DDEVTYPE type, D3DFORMAT displayFormat, D3DFORMAT backBufferFormat,
                            BOOL) override
    {
        if (adapter != 0 || (type != D3DDEVTYPE_HAL && type != D3DDEVTYPE_REF))
            return D3DERR_INVALIDCALL;
        if (!IsDisplayFormat(displayFormat) || !IsBackBufferFormat(backBufferFormat))
            return D3DERR_NOTAVAILABLE;
        return D3D_OK;
    }

    HRESULT CheckDeviceFormat(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat, DWORD usage,
                              D3DRESOURCETYPE resourceType, D3DFORMAT checkFormat) override
    {
        if (adapter != 0 || (type != D3DDEVTYPE_HAL && type != D3DDEVTYPE_REF) || !IsDisplayFormat(adapterFormat))
            return D3DERR_INVALIDCALL;
        if (usage & D3DUSAGE_DEPTHSTENCIL)
            return resourceType == D3DRTYPE_SURFACE && IsDepthFormat(checkFormat) ? D3D_OK : D3DERR_NOTAVAILABLE;
        if (usage & D3DUSAGE_RENDERTARGET)
            return IsBackBufferFormat(checkFormat) ? D3D_OK : D3DERR_NOTAVAILABLE;
        return IsTextureFormat(checkFormat) ? D3D_OK : D3DERR_NOTAVAILABLE;
    }

    HRESULT CheckDepthStencilMatch(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat,
                                   D3DFORMAT renderTargetFormat, D3DFORMAT depthStencilFormat) override
    {
        if (adapter != 0 || (type != D3DDEVTYPE_HAL && type != D3DDEVTYPE_REF) || !IsDisplayFormat(adapterFormat))
            return D3DERR_INVALIDCALL;
        return IsBackBufferFormat(renderTargetFormat) && IsDepthFormat(depthStencilFormat) ? D3D_OK
                                                                                           : D3DERR_NOTAVAILABLE;
    }

    HRESULT GetDeviceCaps(UINT adapter, D3DDEVTYPE type, D3DCAPS8* caps) override
    {
        if (adapter != 0 || (type != D3DDEVTYPE_HAL && type != D3DDEVTYPE_REF) || !caps)
            return D3DERR_INVALIDCALL;
        FillCaps(type, caps);
        return D3D_OK;
    }

    HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behaviour,
                         D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice8** device) override
    {
        if (!device)
            return D3DERR_INVALIDCALL;
        *device = nullptr;
        if (adapter != 0 || (type != D3DDEVTYPE_HAL && type != D3DDEVTYPE_REF) || !parameters ||
            !ValidBehaviour(behaviour))
            return D3DERR_INVALIDCALL;
        if (testcontrol::ConsumeFailure(testcontrol::Failure::CreateDevice))
            return D3DERR_NOTAVAILABLE;
        D3DPRESENT_PARAMETERS completed = *parameters;
        if (!completed.hDeviceWindow)
            completed.hDeviceWindow = focusWindow;
        if (!CompleteParameters(completed) || !FitBackBuffer(completed.BackBufferWidth, completed.BackBufferHeight))
            return D3DERR_INVALIDCALL;
        *parameters = completed;
        *device = new DeviceImpl(type, completed);
        return D3D_OK;
    }
};

// --- The device ------------------------------------------------------------
DeviceImpl::DeviceImpl(D3DDEVTYPE type, const D3DPRESENT_PARAMETERS& parameters)
    : m_eType(type), m_kParameters(parameters), m_eState(Operational), m_bLostReported(false), m_bInScene(false),
      m_iVertexShader(0), m_kViewport(), m_apTextures(), m_iListener(0), m_kFrame(DrawList::DrawAtOnce),
      m_kShown(DrawList::Forget)
{
    ResetStates();
    m_iListener = AddEventListener([this](const SDL_Event& event) { OnEvent(event); });
    LiveDevices().insert(this);
}

DeviceImpl::~DeviceImpl()
{
    LiveDevices().erase(this);
    RemoveEventListener(m_iListener);
    UnbindTextures();
}

void DeviceImpl::ForEach(void (*action)(DeviceImpl&))
{
    std::vector<DeviceImpl*> devices(LiveDevices().begin(), LiveDevices().end());
    for (DeviceImpl* device : devices)
        action(*device);
}

void DeviceImpl::Lose()
{
    m_eState = Lost;
    m_bLostReported = false;
}

void DeviceImpl::RequireReset()
{
    m_eState = NotReset;
}

void DeviceImpl::OnEvent(const SDL_Event& event)
{
    if (event.type == SDL_RENDER_DEVICE_RESET) {
        // The renderer lost every texture: they are filled again from the
        // pixels kept in memory when next drawn.
        PixelStore::MarkAllDirty();
        Lose();
        return;
    }
    if (event.type == SDL_RENDER_TARGETS_RESET) {
        Lose();
        return;
    }
    if (event.type != SDL_WINDOWEVENT || m_kParameters.Windowed)
        return;
    // A full-screen device is lost when its window goes to the background.
    Uint8 change = event.window.event;
    if (change == SDL_WINDOWEVENT_FOCUS_LOST || change == SDL_WINDOWEVENT_MINIMIZED ||
        change == SDL_WINDOWEVENT_HIDDEN)
        Lose();
}

void DeviceImpl::UnbindTextures()
{
    for (IDirect3DBaseTexture8*& texture : m_apTextures) {
        if (texture)
            texture->Release();
        texture = nullptr;
    }
}

void DeviceImpl::ResetStates()
{
    std::fill(std::begin(m_aRenderStates), std::end(m_aRenderStates), 0u);
    m_aRenderStates[D3DRS_ZENABLE] = m_kParameters.EnableAutoDepthStencil ? TRUE : FALSE;
    m_aRenderStates[D3DRS_FILLMODE] = 3;
    m_aRenderStates[D3DRS_SHADEMODE] = 2;
    m_aRenderStates[D3DRS_ZWRITEENABLE] = TRUE;
    m_aRenderStates[D3DRS_LASTPIXEL] = TRUE;
    m_aRenderStates[D3DRS_SRCBLEND] = D3DBLEND_ONE;
    m_aRenderStates[D3DRS_DESTBLEND] = D3DBLEND_ZERO;
    m_aRenderStates[D3DRS_CULLMODE] = D3DCULL_CCW;
    m_aRenderStates[D3DRS_ZFUNC] = D3DCMP_LESSEQUAL;
    m_aRenderStates[D3DRS_ALPHAFUNC] = D3DCMP_ALWAYS;
    m_aRenderStates[D3DRS_LIGHTING] = TRUE;
    m_aRenderStates[D3DRS_COLORVERTEX] = TRUE;
    for (DWORD stage = 0; stage < D3D_TEXTURESTAGE_COUNT; ++stage) {
        DWORD* states = m_aStageStates[stage];
        std::fill(states, states + D3D_TEXTURESTAGESTATE_COUNT, 0u);
        states[D3DTSS_COLOROP] = stage == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE;
        states[D3DTSS_COLORARG1] = D3DTA_TEXTURE;
        states[D3DTSS_COLORARG2] = D3DTA_CURRENT;
        states[D3DTSS_ALPHAOP] = stage == 0 ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE;
        states[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
        states[D3DTSS_ALPHAARG2] = D3DTA_CURRENT;
        states[D3DTSS_ADDRESSU] = D3DTADDRESS_WRAP;
        states[D3DTSS_ADDRESSV] = D3DTADDRESS_WRAP;
        states[D3DTSS_MAGFILTER] = D3DTEXF_POINT;
        states[D3DTSS_MINFILTER] = D3DTEXF_POINT;
    }
    UnbindTextures();
    m_iVertexShader = 0;
    m_kViewport = {0, 0, m_kParameters.BackBufferWidth, m_kParameters.BackBufferHeight, 0.0f, 1.0f};
    m_bInScene = false;
}

HRESULT DeviceImpl::TestCooperativeLevel()
{
    if (!m_kParameters.Windowed && !GetDisplay().active && m_eState == Operational)
        Lose();
    if (m_eState == Lost) {
        // Lost is reported at least once; once the window is back in front
        // the device waits for a Reset.
        if (!GetDisplay().active || !m_bLostReported) {
            m_bLostReported = true;
            return D3DERR_DEVICELOST;
        }
        m_eState = NotReset;
    }
    return m_eState == NotReset ? D3DERR_DEVICENOTRESET : D3D_OK;
}

HRESULT DeviceImpl::GetDeviceCaps(D3DCAPS8* caps)
{
    if (!caps)
        return D3DERR_INVALIDCALL;
    FillCaps(m_eType, caps);
    return D3D_OK;
}

HRESULT DeviceImpl::GetDisplayMode(D3DDISPLAYMODE* mode)
{
    if (!mode)
        return D3DERR_INVALIDCALL;
    *mode = {m_kParameters.BackBufferWidth, m_kParameters.BackBufferHeight, 60, m_kParameters.BackBufferFormat};
    return D3D_OK;
}

void DeviceImpl::ShowCursor(BOOL show)
{
    SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

HRESULT DeviceImpl::Reset(D3DPRESENT_PARAMETERS* parameters)
{
    if (!parameters)
        return D3DERR_INVALIDCALL;
    if (m_eState == Lost || (!parameters->Windowed && !GetDisplay().active))
        return D3DERR_DEVICELOST;
    if (testcontrol::ConsumeFailure(testcontrol::Failure::Reset))
        return D3DERR_NOTAVAILABLE;
    D3DPRESENT_PARAMETERS completed = *parameters;
    if (!completed.hDeviceWindow)
        completed.hDeviceWindow = m_kParameters.hDeviceWindow;
    if (!CompleteParameters(completed) || !FitBackBuffer(completed.BackBufferWidth, completed.BackBufferHeight))
        return D3DERR_INVALIDCALL;
    *parameters = completed;
    m_kParameters = completed;
    // A reset returns every state to its default; the game sets its own again.
    ResetStates();
    m_kFrame.Clear();
    GetDisplay().mustRedraw = true;
    m_eState = Operational;
    return D3D_OK;
}

HRESULT DeviceImpl::Present(const RECT*, const RECT*, HWND, const void*)
{
    if (m_eState != Operational) {
        m_kFrame.Clear(); // what was drawn before the loss is never shown
        return D3DERR_DEVICELOST;
    }
    ShowFrame();
    return D3D_OK;
}

void DeviceImpl::ShowFrame()
{
    Display& display = GetDisplay();
    // The game draws every frame whole; most frames of a menu are the last
    // one again, and those cost nothing more. Of the others, on SDL's
    // software renderer (which keeps the window's pixels), only what
    // changed is drawn and sent to the screen.
    const bool comparable = m_kFrame.Intact() && m_kShown.Intact() && !display.mustRedraw;
    const bool unchanged = comparable && m_kFrame == m_kShown;
    const SDL_Rect picture = {0, 0, display.width, display.height};
    std::vector<SDL_Rect> damage;
    if (comparable && !unchanged && display.softwareRenderer)
        damage = m_kFrame.Damage(m_kShown, picture);
    const bool partial = !damage.empty() && !(damage.size() == 1 && SDL_RectEquals(&damage[0], &picture));
    if (partial) {
        m_kFrame.DrawInside(damage, picture);
    } else if (!unchanged) {
        m_kFrame.Draw();
        display.mustRedraw = false;
    }
    RecordPresentedFrame(!unchanged, partial);
    if (!unchanged)
        PresentPicture(partial ? &damage : nullptr);
    m_kShown.Swap(m_kFrame);
    m_kFrame.Clear();
    PixelStore::ReturnFreedMemory();
}

void DeviceImpl::RedrawShownFrame()
{
    if (!m_kShown.Intact())
        return;
    m_kShown.Draw();
    PresentPicture();
}

HRESULT DeviceImpl::GetBackBuffer(UINT index, D3DBACKBUFFER_TYPE, IDirect3DSurface8** backBuffer)
{
    if (index != 0 || !backBuffer)
        return D3DERR_INVALIDCALL;
    *backBuffer = SurfaceImpl::ForBackBuffer(m_kParameters.BackBufferFormat, m_kParameters.BackBufferWidth,
                                             m_kParameters.BackBufferHeight);
    return D3D_OK;
}

HRESULT DeviceImpl::CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                  IDirect3DTexture8** texture)
{
    if (!texture)
        return D3DERR_INVALIDCALL;
    *texture = nullptr;
    if (levels > 1 || usage != 0 || pool == D3DPOOL_SCRATCH)
        return D3DERR_INVALIDCALL;
    if (testcontrol::ConsumeFailure(testcontrol::Failure::CreateTexture))
        return D3DERR_OUTOFVIDEOMEMORY;
    TextureImpl* created = TextureImpl::Create(width, height, format, pool);
    if (!created)
        return D3DERR_INVALIDCALL;
    *texture = created;
    return D3D_OK;
}

HRESULT DeviceImpl::CreateImageSurface(UINT width, UINT height, D3DFORMAT format, IDirect3DSurface8** surface)
{
    if (!surface)
        return D3DERR_INVALIDCALL;
    *surface = nullptr;
    if (testcontrol::ConsumeFailure(testcontrol::Failure::CreateImageSurface))
        return E_OUTOFMEMORY;
    if (width > static_cast<UINT>(PixelStore::kMaxSide) || height > static_cast<UINT>(PixelStore::kMaxSide))
        return D3DERR_INVALIDCALL;
    PixelStore* store = PixelStore::Create(format, static_cast<int>(width), static_cast<int>(height));
    if (!store)
        return D3DERR_INVALIDCALL;
    *surface = SurfaceImpl::ForImage(store);
    return D3D_OK;
}

HRESULT DeviceImpl::CopyRects(IDirect3DSurface8* source, const RECT* sourceRects, UINT count,
                              IDirect3DSurface8* destination, const POINT* destinationPoints)
{
    SurfaceImpl* from = dynamic_cast<SurfaceImpl*>(source);
    SurfaceImpl* to = dynamic_cast<SurfaceImpl*>(destination);
    if (!from || !to || !from->Store() || from == to)
        return D3DERR_INVALIDCALL;
    D3DSURFACE_DESC fromDesc = {}, toDesc = {};
    from->GetDesc(&fromDesc);
    to->GetDesc(&toDesc);
    if (fromDesc.Format != toDesc.Format)
        return D3DERR_INVALIDCALL;
    RECT whole = {0, 0, static_cast<LONG>(from->Width()), static_cast<LONG>(from->Height())};
    UINT rects = sourceRects ? count : 1;
    for (UINT i = 0; i < rects; ++i) {
        const RECT& rect = sourceRects ? sourceRects[i] : whole;
        POINT at = destinationPoints ? destinationPoints[i] : POINT{rect.left, rect.top};
        if (to->IsBackBuffer()) {
            if (m_eState == Operational)
                BlitStore(*from->Store(), rect, at, m_kFrame);
        } else if (!CopyStoreRect(*from->Store(), rect, *to->Store(), at)) {
            return D3DERR_INVALIDCALL;
        }
    }
    return D3D_OK;
}

HRESULT DeviceImpl::BeginScene()
{
    if (m_bInScene)
        return D3DERR_INVALIDCALL;
    m_bInScene = true;
    return D3D_OK;
}

HRESULT DeviceImpl::EndScene()
{
    if (!m_bInScene)
        return D3DERR_INVALIDCALL;
    m_bInScene = false;
    return D3D_OK;
}

HRESULT DeviceImpl::Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR colour, float, DWORD)
{
    if (count > 0 && !rects)
        return D3DERR_INVALIDCALL;
    if (!(flags & D3DCLEAR_TARGET) || m_eState != Operational || !GetDisplay().renderer)
        return D3D_OK;
    // The back buffer has no alpha to the game: a clear is always opaque.
    const SDL_Color opaque = {static_cast<Uint8>(colour >> 16), static_cast<Uint8>(colour >> 8),
                              static_cast<Uint8>(colour), 0xFF};
    if (count == 0) {
        m_kFrame.Fill(nullptr, opaque);
        return D3D_OK;
    }
    for (DWORD i = 0; i < count; ++i) {
        const D3DRECT& r = rects[i];
        if (r.x2 <= r.x1 || r.y2 <= r.y1)
            continue;
        SDL_Rect area = {r.x1, r.y1, r.x2 - r.x1, r.y2 - r.y1};
        m_kFrame.Fill(&area, opaque);
    }
    return D3D_OK;
}

HRESULT DeviceImpl::SetViewport(const D3DVIEWPORT8* viewport)
{
    if (!viewport)
        return D3DERR_INVALIDCALL;
    m_kViewport = *viewport;
    return D3D_OK;
}

HRESULT DeviceImpl::GetViewport(D3DVIEWPORT8* viewport)
{
    if (!viewport)
        return D3DERR_INVALIDCALL;
    *viewport = m_kViewport;
    return D3D_OK;
}

HRESULT DeviceImpl::SetRenderState(D3DRENDERSTATETYPE state, DWORD value)
{
    if (state >= D3D_RENDERSTATE_COUNT)
        return D3DERR_INVALIDCALL;
    m_aRenderStates[state] = value;
    return D3D_OK;
}

HRESULT DeviceImpl::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value)
{
    if (state >= D3D_RENDERSTATE_COUNT || !value)
        return D3DERR_INVALIDCALL;
    *value = m_aRenderStates[state];
    return D3D_OK;
}

HRESULT DeviceImpl::GetTexture(DWORD stage, IDirect3DBaseTexture8** texture)
{
    if (stage >= D3D_TEXTURESTAGE_COUNT || !texture)
        return D3DERR_INVALIDCALL;
    *texture = m_apTextures[stage];
    if (*texture)
        (*texture)->AddRef();
    return D3D_OK;
}

HRESULT DeviceImpl::SetTexture(DWORD stage, IDirect3DBaseTexture8* texture)
{
    if (stage >= D3D_TEXTURESTAGE_COUNT)
        return D3DERR_INVALIDCALL;
    if (texture)
        texture->AddRef();
    if (m_apTextures[stage])
        m_apTextures[stage]->Release();
    m_apTextures[stage] = texture;
    return D3D_OK;
}

HRESULT DeviceImpl::GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value)
{
    if (stage >= D3D_TEXTURESTAGE_COUNT || type >= D3D_TEXTURESTAGESTATE_COUNT || !value)
        return D3DERR_INVALIDCALL;
    *value = m_aStageStates[stage][type];
    return D3D_OK;
}

HRESULT DeviceImpl::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value)
{
    if (stage >= D3D_TEXTURESTAGE_COUNT || type >= D3D_TEXTURESTAGESTATE_COUNT)
        return D3DERR_INVALIDCALL;
    m_aStageStates[stage][type] = value;
    return D3D_OK;
}

HRESULT DeviceImpl::SetVertexShader(DWORD handle)
{
    m_iVertexShader = handle;
    return D3D_OK;
}

HRESULT DeviceImpl::GetVertexShader(DWORD* handle)
{
    if (!handle)
        return D3DERR_INVALIDCALL;
    *handle = m_iVertexShader;
    return D3D_OK;
}

} // namespace platform

IDirect3D8* Direct3DCreate8(UINT sdkVersion)
{
    if (sdkVersion != D3D_SDK_VERSION || testcontrol::ConsumeFailure(testcontrol::Failure::Direct3DCreate8))
        return nullptr;
    if (!platform::EnsureVideo())
        return nullptr;
    return new platform::Direct3DImpl();
}
