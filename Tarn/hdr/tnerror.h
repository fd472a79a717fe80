#ifndef TNERROR_H
#define TNERROR_H

#include <cstdint>

// Width-exact scalar types used by every engine and game signature.
typedef std::uint8_t tnUInt8;
typedef std::uint16_t tnUInt16;
typedef std::uint32_t tnUInt32;
typedef std::int32_t tnInt32;
typedef float tnReal32;

// Result of every engine operation that can fail. The numbers are fixed:
// callers and logs rely on them, so never renumber.
enum tnError32 : tnUInt32 {
    tnOK = 0,
    tnNotOK = 1,
    tnErrorRegisterClass = 2,
    tnErrorInitGame = 3,
    tnErrorProcessGame = 4,
    tnErrorCreateD3D = 5,
    tnErrorDisplayMode = 6,
    tnErrorCreateDevice = 7,
    tnErrorBeginScene = 9,
    tnErrorEndScene = 10,
    tnErrorClear = 11,
    tnErrorNoImage = 15,
    tnErrorCreateSurface = 16,
    tnErrorCreateTexture = 17,
    tnErrorDrawPrimitive = 19,
    tnErrorSoundCooperativeLevel = 20,
    tnErrorRender = 24,
    tnErrorAcquire = 25,
    tnErrorAnimation = 26,
    tnErrorReferenceDevice = 27,
    tnErrorCreateInput = 28,
    tnErrorCreateKeyboard = 29,
    tnErrorKeyboardDataFormat = 30,
    tnErrorKeyboardCooperativeLevel = 31,
    tnErrorKeyboardRead = 32,
    tnErrorKeyboardReacquire = 33,
    tnErrorCreateMouse = 34,
    tnErrorMouseDataFormat = 35,
    tnErrorMouseProperty = 36,
    tnErrorMouseCooperativeLevel = 37,
    tnErrorMouseRead = 38,
    tnErrorSoundPlay = 47,
    tnErrorSoundBuffer = 48,
    tnErrorSoundBufferInterface = 49,
    tnErrorNoWaveData = 50,
    tnErrorSoundVolume = 52,
    tnErrorWaveFile = 53,
    tnErrorSoundStop = 54,
    tnErrorNoSoundDevice = 55,
    tnErrorCreateFont = 56,
    tnErrorTimer = 57,
    tnErrorOpenFile = 58
};

#endif
