// A whole play-screen-like frame composed from the game's own data: a level
// map with its background, sprites from the animation files, text in every
// alignment. Saved as a PNG beside the build for a person to look at (the
// cost of a busy frame is measured in bench/, not here).
#include "graphicsscreen.h"
#include "tempgamedir.h"
#include "tnabo.h"
#include "tnmap.h"
#include "tntexture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/stat.h>

namespace {

const char* const kScreenshotDir = GROVEKEEP_GAME_DIR "/../screenshots";

struct Fonts {
    ID3DXFont* normal = nullptr; // the game's three: 20 x 9, 36 x 20, 10 x 5
    ID3DXFont* large = nullptr;
    ID3DXFont* small = nullptr;

    explicit Fonts(IDirect3DDevice8* device)
    {
        Make(device, 20, 9, normal);
        Make(device, 36, 20, large);
        Make(device, 10, 5, small);
    }
    ~Fonts()
    {
        for (ID3DXFont* font : {normal, large, small})
            if (font)
                font->Release();
    }
    static void Make(IDirect3DDevice8* device, int height, int width, ID3DXFont*& font)
    {
        HFONT gdi = CreateFontA(height, width, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Arial");
        D3DXCreateFont(device, gdi, &font);
        DeleteObject(gdi);
    }
};

void Text(ID3DXFont* font, const char* text, RECT rect, DWORD format, D3DCOLOR colour)
{
    font->DrawTextA(text, -1, &rect, format, colour);
}

class Scene : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(tnOK, screen.Start(window.Handle()));
        ASSERT_EQ(tnOK, staticTiles.CreateFromFile("../Graphics/static.bmp", true, 0xFF00FF, &cell, nullptr, true));
        long position = 0;
        ASSERT_TRUE(map.Load(screen.GetDevice(), "../Data/Level1.dat", position, true));
        ASSERT_TRUE(map.AddTexture(&staticTiles, 32, 32));
        playerSet = player.CreateFromFile("../Data/Player.txt", &playerTexture);
        ASSERT_NE(nullptr, playerSet);
        std::fstream targets("../Data/targets.txt", std::ios::in);
        for (int i = 0; i < 6; ++i) {
            tnAnimation* set = fruits[i].CreateFromFile(targets, &fruitTexture, i > 0);
            ASSERT_NE(nullptr, set);
            fruitSets[i] = set;
        }
    }
    void TearDown() override
    {
        delete[] playerSet;
        for (tnAnimation* set : fruitSets)
            delete[] set;
    }

    // The play screen's parts, in the game's order.
    void DrawField(int sprites)
    {
        const RECT main = {144, 16, 1007, 751};
        screen.Clear(0xFF000000, nullptr);
        screen.StartFrame();
        screen.DrawRectangle(main.left, main.top, main.right, main.bottom, 255, 255, 255, 255);
        map.Render(main.left, main.top, main.right - main.left + 1, main.bottom - main.top + 1, 0, 0, 23, 27,
                   0xFFFFFFFF, 1.0f, 1.0f);
        screen.GetDevice()->SetTexture(0, nullptr);
        for (int i = 0; i < sprites; ++i) {
            tnABO& fruit = fruits[i % 6];
            fruit.SetAnimation(ANIMATION_DATA::WALK, ANIMATION_DATA::SOUTH);
            fruit.SetPosition(176 + 32 * ((i * 7) % 26), 48 + 32 * ((i * 3 + i / 26) % 22));
            fruit.Render();
        }
        player.SetAnimation(ANIMATION_DATA::WALK, ANIMATION_DATA::EAST);
        player.SetPosition(176 + 32 * 12, 48 + 32 * 11);
        player.Render();
        screen.GetDevice()->SetTexture(0, nullptr);
    }

    GraphicsTestWindow window;
    TempGameDir game;
    GraphicsScreen screen;
    RECT cell = {1, 1, 33, 33};
    tnTexture staticTiles, playerTexture, fruitTexture;
    tnMap map;
    tnABO player;
    tnABO fruits[6];
    tnAnimation* playerSet = nullptr;
    tnAnimation* fruitSets[6] = {};
};

} // namespace

TEST_F(Scene, AComposedFrameIsSavedAsAPicture)
{
    Fonts fonts(screen.GetDevice());
    ASSERT_NE(nullptr, fonts.normal);
    DrawField(12);
    // Left panels: one cleared rectangle, then text in each alignment.
    D3DRECT panels = {0, 0, 128, 768};
    screen.Clear(0xFF003232, &panels);
    Text(fonts.normal, map.GetTitle(), {0, 5, 127, 25}, DT_CENTER, 0xFFFF6349);
    Text(fonts.normal, map.GetText(), {2, 30, 125, 443}, DT_WORDBREAK | DT_NOCLIP, 0xFF006464);
    Text(fonts.normal, "Statistics", {0, 458, 127, 478}, DT_CENTER, 0xFFFF6349);
    Text(fonts.normal, "3", {50, 494, 123, 514}, DT_WORDBREAK | DT_NOCLIP, 0xFAFFFF0A);
    Text(fonts.normal, "1250", {0, 704, 123, 724}, DT_RIGHT, 0xFF00C80A);
    Text(fonts.small, "small right-aligned", {0, 750, 127, 767}, DT_RIGHT, 0xFFC0C0C0);
    Text(fonts.large, "Level 1", {144, 350, 1007, 386}, DT_CENTER, 0xFFFF0000);
    Text(fonts.large, "Go!", {144, 386, 1007, 500}, DT_CENTER | DT_VCENTER | DT_SINGLELINE, 0x80FF0000);
    testcontrol::KeepPresentedFrames(true);
    ASSERT_EQ(tnOK, screen.EndFrame());

    std::vector<DWORD> frame;
    ASSERT_TRUE(testcontrol::ReadPresentedFrame(frame));
    EXPECT_EQ(0x003232u, GraphicsTestWindow::At(frame, 1, 300));    // the cleared panel
    EXPECT_NE(0u, GraphicsTestWindow::At(frame, 600, 300));         // the level's background
    int red = 0;                                                     // "Level 1" in red
    for (int y = 350; y < 386; ++y)
        for (int x = 144; x < 1007; ++x)
            red += GraphicsTestWindow::At(frame, x, y) == 0xFF0000u;
    EXPECT_GT(red, 100);
    mkdir(kScreenshotDir, 0755);
    std::string file = std::string(kScreenshotDir) + "/composed_scene.png";
    ASSERT_TRUE(testcontrol::SavePNG(file, frame, 1024, 768));
    std::printf("composed scene: %s\n", file.c_str());
}
