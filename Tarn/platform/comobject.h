#ifndef PLATFORM_COMOBJECT_H
#define PLATFORM_COMOBJECT_H

// The bits of COM that the DirectInput, DirectSound and DirectMusic
// stand-ins share: GUIDs, HRESULT values and a reference count.

#include "win32.h"

typedef unsigned long ULONG;

// HRESULT is a long here, wider than Windows' 32 bits: failure codes are
// written as their 32-bit two's complement so that they stay negative.
constexpr HRESULT HResultFromBits(std::uint32_t bits)
{
    return static_cast<HRESULT>(static_cast<std::int32_t>(bits));
}
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

#ifndef S_OK
#define S_OK (static_cast<HRESULT>(0L))
#endif
#ifndef S_FALSE
#define S_FALSE (static_cast<HRESULT>(1L))
#endif
#ifndef E_NOINTERFACE
#define E_NOINTERFACE HResultFromBits(0x80004002u)
#endif
#ifndef E_POINTER
#define E_POINTER HResultFromBits(0x80004003u)
#endif
#ifndef E_FAIL
#define E_FAIL HResultFromBits(0x80004005u)
#endif
#ifndef E_INVALIDARG
#define E_INVALIDARG HResultFromBits(0x80070057u)
#endif
#ifndef E_OUTOFMEMORY
#define E_OUTOFMEMORY HResultFromBits(0x8007000Eu)
#endif
#ifndef SUCCEEDED
#define SUCCEEDED(hr) (static_cast<HRESULT>(hr) >= 0)
#endif
#ifndef FAILED
#define FAILED(hr) (static_cast<HRESULT>(hr) < 0)
#endif

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
