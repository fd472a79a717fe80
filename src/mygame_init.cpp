// Everything the game makes and releases: devices, pictures, fonts, menu,
// animation sets, sounds; and the device hooks that re-make what a lost
// device destroys.
#include "mygame.h"

#include "gamecolours.h"

#include "d3dx8.h"
#include "tnlog.h"
#include "wingdi.h"

#include <fstream>

namespace {
const tnUInt16 kButtonCellWidth = 128;
const tnUInt16 kButtonCellHeight = 32;
const tnUInt16 kMenuButtonWidth = 256;
const tnUInt16 kMenuButtonHeight = 32;
const tnUInt16 kPlayerUpdateSpeed = 4;

const char* const kSoundFiles[] = {
    "../sound/rain.wav",     "../sound/thunder.wav",       "../sound/witch.wav",  "../sound/thankyou.wav",
    "../sound/fire.wav",     "../sound/magic.wav",         "../sound/tornado.wav", "../sound/explode.wav",
    "../sound/dong.wav",     "../sound/sho.wav",           "../sound/electricshock.wav",
    "../sound/thump.wav",    "../sound/cow.wav",           "../sound/gold.wav",   "../sound/flood.wav",
    "../sound/click.wav",    "../sound/dropinwater.wav",   "../sound/tiger.wav",  "../sound/final.wav"};
const tnUInt32 kSoundCount = sizeof(kSoundFiles) / sizeof(kSoundFiles[0]);

const char* const kTargetsFile = "../Data/targets.txt";
const char* const kTrapsFile = "../Data/traps.txt";

// Names the animation text that failed in the log, unless the reader has
// already said why.
tnError32 AnimationFileFailed(const char* fileName, const std::fstream& stream)
{
    LogFileProblem(fileName, stream.is_open() ? tnABO::BadRecords : "missing");
    return tnErrorAnimation;
}

const char* const kMenuCaptions[MyGame::MenuButtonCount] = {"New", "Options", "Top Score", "Resume", "Quit",
                                                             "Help"};

RECT CellRect(tnInt32 width, tnInt32 height)
{
    // Sheets start their first cell at (1, 1), after the grid line.
    RECT rect = {1, 1, 1 + width, 1 + height};
    return rect;
}

// How the trap sets are read: which texture, whether it shares the one the
// previous set loaded, and the scale the sprite is drawn at.
struct TrapSet {
    int texture; // 1 or 2: m_kTrapTexture1 / m_kTrapTexture2
    bool share;
    tnReal32 scale; // 0: left as loaded
};
const TrapSet kTrapSets[] = {
    {1, false, 2.0f}, // RAIN
    {1, true, 3.0f},  // TORNADO
    {1, false, 2.0f}, // FLOOD
    {2, false, 2.0f}, // LIGHTENING
    {1, false, 2.0f}, // FIRE
    {1, true, 0.0f},  {1, true, 0.0f}, {1, true, 0.0f}, {1, true, 0.0f}, {1, true, 0.0f}, {1, true, 0.0f},
    {1, true, 0.0f},  {1, true, 0.0f}, {1, true, 0.0f}, {1, true, 0.0f}, {1, true, 0.0f}, // BOMB .. GOLD
    {1, false, 3.0f}, // EXPLOSION
};
} // namespace

// --- Start-up ------------------------------------------------------------

tnError32 MyGame::Init(HINSTANCE instance, HWND window, int width, int height)
{
    m_hWindow = window;
    tnError32 result = InitDirectX(instance, window, width, height);
    if (result == tnOK)
        result = InitGame();
    m_bLoadingGame = false;
    m_bReady = true;
    return result;
}

tnError32 MyGame::InitDirectX(HINSTANCE instance, HWND window, int width, int height)
{
    tnError32 result = InitD3D(window);
    if (result != tnOK) {
        Log("Error: InitD3D(), in MyGame::InitDirectX()\n");
        return result;
    }
    result = InitD3DDevice(true, static_cast<tnUInt16>(width), static_cast<tnUInt16>(height), 32);
    if (result != tnOK) {
        Log("Error: InitD3DDevice(), in MyGame::InitDirectX()\n");
        return result;
    }
    Log("Success: InitD3DDevice(), in MyGame::InitDirectX()\n");
    result = InitInputDevice(instance);
    if (result != tnOK)
        return result;
    result = InitSoundDevice();
    if (result != tnOK)
        return result;
    Log("Success: InitDirectX(), in MyGame::InitDirectX()\n");
    m_bReady = false;
    return tnOK;
}

tnError32 MyGame::InitInputDevice(HINSTANCE instance)
{
    tnError32 result = m_kInputManager.Init(instance);
    if (result != tnOK) {
        Log("Error: InputManager.Init(), in MyGame::InitInputDevice()\n");
        return result;
    }
    result = m_kKeyboard.Init(m_hWindow);
    if (result != tnOK) {
        Log("Error: Keyboard.Init(), in MyGame::InitInputDevice()\n");
        return result;
    }
    result = m_kMouse.Init(m_hWindow);
    if (result != tnOK) {
        Log("Error: Mouse.Init(), in MyGame::InitInputDevice()\n");
        return result;
    }
    Log("Success: InitInputDevice(), in MyGame::InitInputDevice()\n");
    return tnOK;
}

tnError32 MyGame::InitSoundDevice()
{
    tnError32 result = m_kSoundManager.Init(m_hWindow);
    Log(result == tnOK ? "Success: SoundManager.Init(), in MyGame::InitSoundDevice()\n"
                       : "Error: SoundManager.Init(), in MyGame::InitSoundDevice()\n");
    if (result != tnOK)
        return result;
    result = m_kSound.Init(m_kSoundManager.GetSound(), false);
    Log(result == tnOK ? "Success: Sound.Init(), in MyGame::InitSoundDevice()\n"
                       : "Error: Sound.Init(), in MyGame::InitSoundDevice()\n");
    if (result != tnOK)
        return result;
    result = m_kMidiPlay.Init(m_kSoundManager.GetSound(), m_hWindow);
    Log(result == tnOK ? "Success: MidiPlay.Init(), in MyGame::InitSoundDevice()\n"
                       : "Error: MidiPlay.Init(), in MyGame::InitSoundDevice()\n");
    return result;
}

tnError32 MyGame::InitGame()
{
    RECT cell = CellRect(32, 32);
    m_kStaticTexture.CreateFromFile("../Graphics/static.bmp", true, GameColour::ColourKey, &cell, nullptr, true);
    m_kCheckTexture.CreateFromFile("../Graphics/check.bmp", true, GameColour::ColourKey, &cell, nullptr, true);
    // A missing menu picture is not an error: the menu draws without it. The
    // surfaces keep the pixels (and survive a lost device), so the bitmaps
    // are not kept.
    m_kBG1Surface.CreateFromFile("../Graphics/farmer.bmp", false, GameColour::ColourKey);
    m_kBG2Surface.CreateFromFile("../Graphics/fruits.bmp", false, GameColour::ColourKey);
    m_kBG3Surface.CreateFromFile("../Graphics/titlew.bmp", false, GameColour::ColourKey);
    if (InitDeviceObjects() != tnOK)
        return tnErrorInitGame;
    tnError32 result = RestoreDeviceObjects();
    if (result != tnOK)
        return result;
    CreateMenuButtons();
    return tnOK;
}

void MyGame::CreateMenuButtons()
{
    RECT cell = CellRect(kButtonCellWidth, kButtonCellHeight);
    m_kLongButtonTexture.CreateFromFile("../Graphics/button.bmp", true, GameColour::ColourKey, &cell, nullptr, true);
    const tnInt32 x = (static_cast<tnInt32>(GetScreenWidth()) - kMenuButtonWidth) / 2;
    const tnInt32 y = (static_cast<tnInt32>(GetScreenHeight()) - 350) / 2 + 20;
    m_kMenu1Buttons.set_size(MenuButtonCount);
    for (tnUInt32 i = 0; i < MenuButtonCount; ++i) {
        tnButton& button = m_kMenu1Buttons[i];
        button.SetTexture(&m_kLongButtonTexture, kButtonCellWidth, kButtonCellHeight);
        tnButton::_ButtonStage stage = (i == MenuResume) ? tnButton::DISABLED : tnButton::ENABLED;
        button.Create(m_pD3DXFont, x, y + 50 * static_cast<tnInt32>(i), kMenuButtonWidth, kMenuButtonHeight, stage,
                      kMenuCaptions[i]);
    }
}

tnError32 MyGame::InitIntro()
{
    ComputeLayout();
    tnError32 result = LoadAnimationSets();
    if (result != tnOK)
        return result;

    m_kBackButton.SetTexture(&m_kLongButtonTexture, kButtonCellWidth, kButtonCellHeight);
    m_kBackButton.Create(m_pD3DXFont, (m_rectOptionPanel.right + m_rectOptionPanel.left - kButtonCellWidth) / 2,
                         m_rectOptionPanel.bottom - 64, kButtonCellWidth, kButtonCellHeight, tnButton::ENABLED,
                         "Save");

    result = LoadSounds();
    ReadTopScore();
    return result;
}

tnError32 MyGame::LoadAnimationSets()
{
    m_pkPlayerAnimationSet = m_kPlayerABO.CreateFromFile("../Data/Player.txt", &m_kPlayerTexture);
    if (!m_pkPlayerAnimationSet)
        return tnErrorAnimation;
    m_kPlayerABO.SetUpdateSpeed(kPlayerUpdateSpeed);

    m_kTargetABOList.set_size(m_iSampleTargets);
    m_kAnimationTargetList.set_size(m_iSampleTargets);
    m_kTrapABOList.set_size(m_iSampleTraps + 1);
    m_kAnimationTrapList.set_size(m_iSampleTraps + 1);

    // Read back to back from one stream; the first fruit set loads the
    // sheet, the others share it.
    std::fstream targets(kTargetsFile, std::ios::in);
    for (tnUInt32 i = 0; i < m_iSampleTargets; ++i) {
        m_kTargetABOList[i] = tnABO();
        m_kAnimationTargetList[i] = m_kTargetABOList[i].CreateFromFile(targets, &m_kTargetTexture1, i != 0, kTargetsFile);
        if (!m_kAnimationTargetList[i])
            return AnimationFileFailed(kTargetsFile, targets);
    }

    std::fstream traps(kTrapsFile, std::ios::in);
    for (tnUInt32 i = 0; i < tnUInt32(m_iSampleTraps) + 1; ++i) {
        const TrapSet& set = kTrapSets[i];
        tnTexture* texture = (set.texture == 2) ? &m_kTrapTexture2 : &m_kTrapTexture1;
        m_kTrapABOList[i] = tnABO();
        m_kAnimationTrapList[i] = m_kTrapABOList[i].CreateFromFile(traps, texture, set.share, kTrapsFile);
        if (!m_kAnimationTrapList[i])
            return AnimationFileFailed(kTrapsFile, traps);
        if (set.scale != 0.0f)
            m_kTrapABOList[i].SetScale(set.scale, set.scale);
    }
    return tnOK;
}

tnError32 MyGame::LoadSounds()
{
    // Every sound keeps its place in the list even when its file fails to
    // load: the empty entry then plays nothing, and the others stay where
    // their names say.
    m_kSound.Stop();
    vecWaveList.reserve(kSoundCount);
    vecWaveList.set_size(kSoundCount);
    tnError32 result = tnOK;
    for (tnUInt32 i = 0; i < kSoundCount; ++i) {
        vecWaveList[i] = tnSound::WaveData();
        result = m_kSound.LoadFromFile(kSoundFiles[i], vecWaveList[i], false);
    }
    return result;
}

// --- Device hooks ----------------------------------------------------------

tnError32 MyGame::ConfirmDevice(D3DCAPS8* caps, DWORD, D3DFORMAT)
{
    // The tiles and sprites are drawn with wrapping texture coordinates.
    if (caps && (caps->TextureAddressCaps & D3DPTADDRESSCAPS_WRAP))
        return tnOK;
    return tnNotOK;
}

tnError32 MyGame::InitDeviceObjects()
{
    return tnOK;
}

tnError32 MyGame::CreateFonts()
{
    struct FontSize {
        ID3DXFont** font;
        tnInt32 height;
        tnInt32 width;
    };
    const FontSize fonts[] = {{&m_pD3DXFont, m_iFontHeight, m_iFontWidth},
                              {&m_pD3DXFont2, m_iFontHeight2, m_iFontWidth2},
                              {&m_pD3DXFont3, m_iFontHeight3, m_iFontWidth3}};
    for (const FontSize& size : fonts) {
        HFONT gdiFont = CreateFontA(size.height, size.width, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                    DEFAULT_PITCH | FF_DONTCARE, "Arial");
        HRESULT created = D3DXCreateFont(m_pkD3DDevice, gdiFont, size.font);
        // The Direct3D font keeps what it needs; the GDI handle is done with.
        if (gdiFont)
            DeleteObject(gdiFont);
        if (FAILED(created)) {
            Log("Error, Creat Font, in MyGame::RestoreDeviceObjects()\n");
            return tnErrorCreateFont;
        }
    }
    return tnOK;
}

tnError32 MyGame::RestoreDeviceObjects()
{
    // Colour-keyed texels have alpha 0: only alpha >= 1 reaches the screen.
    m_pkD3DDevice->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
    m_pkD3DDevice->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATEREQUAL);
    m_pkD3DDevice->SetRenderState(D3DRS_ALPHAREF, 1);
    tnError32 result = CreateFonts();
    if (result != tnOK)
        return result;

    // The widgets that hold the old first font get the new one.
    if (m_eGameState == GameNew && m_pkComboList)
        m_pkComboList->SetFont(m_pD3DXFont);
    if (m_eGameState == GameOption)
        m_kBackButton.SetFont(m_pD3DXFont);
    for (tnUInt32 i = 0; i < m_kMenu1Buttons.size(); ++i)
        m_kMenu1Buttons[i].SetFont(m_pD3DXFont);
    if (m_kBackButton.GetFont())
        m_kBackButton.SetFont(m_pD3DXFont);
    Log("Success: RestoreDeviceObects(), in MyGame::RestoreDeviceObjects()\n");
    return tnOK;
}

void MyGame::ReleaseFonts()
{
    ID3DXFont** fonts[] = {&m_pD3DXFont, &m_pD3DXFont2, &m_pD3DXFont3};
    for (ID3DXFont** font : fonts) {
        if (*font) {
            (*font)->Release();
            *font = nullptr;
        }
    }
}

tnError32 MyGame::InvalidateDeviceObjects()
{
    ReleaseFonts();
    return tnOK;
}

tnError32 MyGame::DeleteDeviceObjects()
{
    if (m_kStaticTexture.GetTexture()) {
        m_kStaticTexture.GetTexture()->Release();
        m_kStaticTexture.SetTexture(nullptr);
    }
    return tnOK;
}

tnError32 MyGame::RecoverDevice()
{
    tnScreen::RecoverDevice();
    if (m_kMouse.AcquireDevice() != tnOK || m_kKeyboard.AcquireDevice() != tnOK)
        return tnErrorAcquire;
    return tnOK;
}

// --- Shutdown ----------------------------------------------------------------

void MyGame::CleanUp()
{
    if (m_pkD3DDevice) {
        InvalidateDeviceObjects();
        DeleteDeviceObjects();
    }
    m_kKeyboard.CleanUp();
    m_kMouse.CleanUp();
    m_kInputManager.CleanUp();
    Log("Input Device Destroyed\n");

    tnTexture* textures[] = {&m_kStaticTexture, &m_kLongButtonTexture, &m_kPlayerTexture, &m_kTargetTexture1,
                             &m_kTrapTexture1,  &m_kTrapTexture2,      &m_kTrapTexture3,  &m_kCheckTexture};
    for (tnTexture* texture : textures)
        texture->CleanUp();

    delete[] m_pkPlayerAnimationSet;
    m_pkPlayerAnimationSet = nullptr;
    for (tnUInt32 i = 0; i < m_kAnimationTargetList.size(); ++i)
        delete[] m_kAnimationTargetList[i];
    m_kAnimationTargetList.clear();
    for (tnUInt32 i = 0; i < m_kAnimationTrapList.size(); ++i)
        delete[] m_kAnimationTrapList[i];
    m_kAnimationTrapList.clear();

    m_kPlayerABO.CleanUp();
    m_kTargetABOList.clear();
    m_kTrapABOList.clear();
    m_kTargets.CleanUp();
    m_kTempTargets.CleanUp();
    m_kTraps.CleanUp();
    m_kSnake.CleanUp();

    m_kHelpSurface.CleanUp();
    m_kBG1Surface.CleanUp();
    m_kBG2Surface.CleanUp();
    m_kBG3Surface.CleanUp();

    for (tnUInt32 i = 0; i < m_kMenu1Buttons.size(); ++i)
        m_kMenu1Buttons[i].CleanUp();
    m_kMenu1Buttons.clear();
    m_kBackButton.CleanUp();
    delete m_pkComboList;
    m_pkComboList = nullptr;
    ReleaseFonts();

    for (tnUInt32 i = 0; i < vecWaveList.size(); ++i)
        tnSound::FreeWaveData(vecWaveList[i]);
    vecWaveList.clear();

    m_kSound.CleanUp();
    Log("Sound Destroyed\n");
    m_kMidiPlay.CleanUp();
    Log("Midi Destroyed\n");
    m_kSoundManager.CleanUp();
    Log("Sound Manager Destroyed\n");

    m_vStatementList.clear();
    m_kMap.CleanUp();

    if (m_pkD3DDevice)
        m_pkD3DDevice->SetTexture(0, nullptr);
    tnScreen::CleanUp();
    Log("DirectX Object Destroyed\n");
    Log("All other Objects Destroyed\n");
}
