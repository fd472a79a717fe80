#ifndef TNSCREEN_H
#define TNSCREEN_H

#include "tnerror.h"
#include "win32.h"

// The screen base class: owns the drawing device for the one window and
// wraps each frame. The game derives from it and overrides the hooks.
// (The Direct3D device itself arrives with the graphics layer; until then a
// frame is a black picture.)
class tnScreen {
public:
    tnScreen();
    explicit tnScreen(HWND window);

    static tnScreen* GetSingleton();

    virtual tnError32 RecoverDevice();
    virtual tnError32 InitDeviceObjects() { return tnOK; }
    virtual tnError32 RestoreDeviceObjects() { return tnOK; }
    virtual tnError32 Render() { return tnOK; }
    virtual tnError32 InvalidateDeviceObjects() { return tnOK; }
    virtual tnError32 DeleteDeviceObjects() { return tnOK; }
    virtual void CleanUp();

    tnError32 StartFrame();
    tnError32 EndFrame();
    tnError32 Clear(tnUInt32 colour, const void* rect);

    tnUInt32 GetFPS() const { return m_iFPS; }
    void SetFPS(tnUInt32 fps) { m_iFPS = fps; }
    bool IsReady() const { return m_bReady; }

protected:
    ~tnScreen();

    HWND m_hWindow;
    tnUInt32 m_iFPS;
    bool m_bReady;

private:
    static tnScreen* m_pkSingleton;
};

#endif
