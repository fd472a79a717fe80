#ifndef PLATFORM_COMOBJECT_H
#define PLATFORM_COMOBJECT_H

// The bits of COM that the DirectInput, DirectSound and DirectMusic
// stand-ins share: GUIDs, HRESULT values and a reference count.

#include "win32.h"

typedef unsigned long ULONG;

typedef void* LPUNKNOWN;

#ifndef GUID_DEFINED
#define GUID_DEFINED
struct GUID {
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
};
#endif
typedef GUID IID;
typedef GUID CLSID;
typedef const GUID& REFGUID;
typedef const GUID& REFIID;
typedef const GUID& REFCLSID;
typedef const GUID* LPCGUID;

inline bool IsEqualGUID(REFGUID a, REFGUID b)
{
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3)
        return false;
    for (int i = 0; i < 8; ++i) {
        if (a.Data4[i] != b.Data4[i])
            return false;
    }
    return true;
}

namespace platform {

// Reference counting as COM does it: created with one reference, deleted
// when the last one is released.
class ComObject {
public:
    ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    ULONG AddRef() { return ++m_iReferences; }
    ULONG Release()
    {
        ULONG left = --m_iReferences;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    virtual ~ComObject() = default;

private:
    ULONG m_iReferences = 1;
};

} // namespace platform

#endif
