// The D3DX font: a GDI font description drawn through the platform's
// glyph font on the device's back buffer.
#include "d3d8_internal.h"
#include "d3dx8.h"
#include "gdi_objects.h"
#include "sdl_font.h"
#include "testcontrol.h"

#include <cstring>

namespace {

class FontImpl : public platform::RefCounted<ID3DXFont> {
public:
    FontImpl(platform::DeviceImpl* device, const LOGFONTA& description, platform::GlyphFont* glyphs)
        : m_pkDevice(device), m_kDescription(description), m_pkGlyphs(glyphs)
    {
        m_pkDevice->AddRef();
    }

    HRESULT GetDevice(IDirect3DDevice8** device) override
    {
        if (!device)
            return D3DERR_INVALIDCALL;
        m_pkDevice->AddRef();
        *device = m_pkDevice;
        return D3D_OK;
    }

    HRESULT GetLogFont(LOGFONTA* font) override
    {
        if (!font)
            return D3DERR_INVALIDCALL;
        *font = m_kDescription;
        return D3D_OK;
    }

    HRESULT Begin() override { return D3D_OK; }
    HRESULT End() override { return D3D_OK; }
    HRESULT OnLostDevice() override { return D3D_OK; }
    HRESULT OnResetDevice() override { return D3D_OK; }

    int DrawTextA(LPCSTR text, int count, RECT* rect, DWORD format, D3DCOLOR colour) override
    {
        if (!text || !rect)
            return 0;
        if (!m_pkDevice->IsOperational())
            return 0;
        return m_pkGlyphs->Draw(text, count, rect, SingleLineCaption(text, count, format), colour,
                                m_pkDevice->Frame());
    }

private:
    // A caption of one line asked to sit in the middle (or at the bottom) of
    // its box is placed there, as the buttons' captions expect; text that
    // wraps or breaks keeps the top, as GDI does.
    static DWORD SingleLineCaption(LPCSTR text, int count, DWORD format)
    {
        if (!(format & (DT_VCENTER | DT_BOTTOM)) || (format & DT_WORDBREAK))
            return format;
        std::size_t length = count < 0 ? std::strlen(text) : static_cast<std::size_t>(count);
        return std::memchr(text, '\n', length) ? format : (format | DT_SINGLELINE);
    }

    ~FontImpl() override
    {
        delete m_pkGlyphs;
        m_pkDevice->Release();
    }

    platform::DeviceImpl* m_pkDevice;
    LOGFONTA m_kDescription;
    platform::GlyphFont* m_pkGlyphs;
};

} // namespace

HRESULT D3DXCreateFontIndirect(IDirect3DDevice8* device, const LOGFONTA* description, ID3DXFont** result)
{
    if (!result)
        return D3DERR_INVALIDCALL;
    *result = nullptr;
    platform::DeviceImpl* owner = dynamic_cast<platform::DeviceImpl*>(device);
    if (!owner || !description)
        return D3DERR_INVALIDCALL;
    if (testcontrol::ConsumeFailure(testcontrol::Failure::D3DXCreateFont))
        return E_OUTOFMEMORY;
    platform::GlyphFont* glyphs = platform::GlyphFont::Create(*description);
    if (!glyphs)
        return E_FAIL;
    *result = new FontImpl(owner, *description, glyphs);
    return D3D_OK;
}

HRESULT D3DXCreateFont(IDirect3DDevice8* device, HFONT font, ID3DXFont** result)
{
    const LOGFONTA* description = platform::FontDescription(font);
    if (!description) {
        if (result)
            *result = nullptr;
        return D3DERR_INVALIDCALL;
    }
    return D3DXCreateFontIndirect(device, description, result);
}
