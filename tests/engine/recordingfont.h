#ifndef TESTS_ENGINE_RECORDINGFONT_H
#define TESTS_ENGINE_RECORDINGFONT_H

#include "d3dx8.h"

#include <string>
#include <vector>

// A font that draws nothing and remembers what it was asked to draw, so the
// widgets' text calls can be checked without a device.
class RecordingFont : public ID3DXFont {
public:
    struct Call {
        std::string text;
        RECT rect;
        DWORD format;
        D3DCOLOR colour;
    };

    DWORD AddRef() override { return 1; }
    DWORD Release() override { return 1; }
    HRESULT GetDevice(IDirect3DDevice8** device) override
    {
        *device = nullptr;
        return E_FAIL;
    }
    HRESULT GetLogFont(LOGFONTA* /*font*/) override { return E_FAIL; }
    HRESULT OnLostDevice() override { return S_OK; }
    HRESULT OnResetDevice() override { return S_OK; }
    HRESULT Begin() override
    {
        ++m_iBegins;
        return S_OK;
    }
    int DrawTextA(LPCSTR text, int /*count*/, RECT* rect, DWORD format, D3DCOLOR colour) override
    {
        m_kCalls.push_back({text ? text : "<null>", *rect, format, colour});
        return 0;
    }
    HRESULT End() override
    {
        ++m_iEnds;
        return S_OK;
    }

    std::vector<Call> m_kCalls;
    int m_iBegins = 0;
    int m_iEnds = 0;
};

#endif
