#ifndef PLATFORM_GAMEPADS_H
#define PLATFORM_GAMEPADS_H

// Internal to the platform layer: the game controllers the keyboard stand-in
// reports as keys. The d-pad and the left stick are the arrow keys, Start is
// P, Back and B are Escape and A is Space, so a pad plays the game without
// the game knowing. Where the pointer shows, the stick and the d-pad also
// move it, A being its left button and X its right, so the screens worked
// by the mouse are worked by the pad.

#include "win32.h"

#include <SDL.h>

#include <cstdint>
#include <map>

namespace platform {

class GamePads {
public:
    // Starts SDL's game controllers and opens every pad already connected.
    // Where they cannot start there are simply no pads.
    GamePads();
    ~GamePads();
    GamePads(const GamePads&) = delete;
    GamePads& operator=(const GamePads&) = delete;

    // Forgets what every pad holds (the window lost the focus); a held
    // button or stick counts again once it moves.
    void ReleaseAll();
    // Marks the keys some pad holds as down (0x80) in a 256-byte DIK state
    // and leaves the others as they are.
    void AddHeldKeys(std::uint8_t* keys) const;

private:
    struct Pad {
        SDL_GameController* controller = nullptr; // null for a pad known only by its events
        std::uint32_t buttons = 0;                 // one bit per SDL_GameControllerButton held
        int stickX = 0;                            // the left stick, as SDL reports it
        int stickY = 0;
    };

    void OnEvent(const SDL_Event& event);
    void OnButton(const SDL_ControllerButtonEvent& event);
    // Moves the pointer by what the pads push it, for the time since the
    // last pump.
    void MovePointer();
    // The pads' push on the pointer, each axis from -1 to 1.
    void PointerPush(float& x, float& y) const;
    void PointerInWindow(int& x, int& y) const;
    void Open(int deviceIndex);
    void Close(SDL_JoystickID id);

    bool m_bStarted = false; // SDL's game-controller subsystem is ours to quit
    int m_iListener = 0;
    int m_iPumpListener = 0;
    std::map<SDL_JoystickID, Pad> m_kPads;
    float m_fPointerX = 512.0f; // in the picture, where the pointer last was
    float m_fPointerY = 384.0f;
    long long m_iLastMove = 0; // counter reading of the last MovePointer
};

} // namespace platform

#endif
