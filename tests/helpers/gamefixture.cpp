#include "failurecheck.h"
#include "gamefixture.h"

#include "cellcheck.h"
#include "gamefolders.h"
#include "messagepump.h"

#include "testcontrol.h"

#include <filesystem>

void GameFixture::SetUp()
{
    testcontrol::UseFakeClock(1000000, 1000);
    testcontrol::ClearFailures();
    testcontrol::RecordSoundEvents(true);
    m_pkDir = std::make_unique<TempGameDir>();
    if (StartsAtOnce())
        StartProgram();
}

void GameFixture::StartProgram()
{
    m_pkProgram = std::make_unique<HeadlessProgram>();
    ASSERT_TRUE(m_pkProgram->Start()) << "the program did not start: " << LogText();
}

void GameFixture::TearDown()
{
    m_pkProgram.reset();
    m_pkDir.reset();
    ExpectEveryFailureUsed();
    testcontrol::RecordSoundEvents(false);
    testcontrol::UseRealClock();
}

tnError32 GameFixture::Frame()
{
    PumpWindowMessages();
    const bool playing = Probe().State() == MyGame::GameRunning;
    tnError32 result = Window().Frame();
    if (playing)
        ExpectCellBookkeeping();
    return result;
}

void GameFixture::PlayStep(tnReal32 step)
{
    PumpWindowMessages();
    Probe().ProcessFrame(step);
    ExpectCellBookkeeping();
}

void GameFixture::ExpectCellBookkeeping()
{
    const std::string fault = CellReferenceFault(Probe());
    EXPECT_EQ("", fault) << "after a play step";
}

void GameFixture::RunFrames(int count)
{
    for (int i = 0; i < count; ++i)
        Frame();
}

bool GameFixture::RunUntil(MyGame::GameState state, int limit)
{
    for (int i = 0; i < limit; ++i) {
        if (Probe().State() == state)
            return true;
        Frame();
    }
    return Probe().State() == state;
}

void GameFixture::ReachMenu()
{
    ASSERT_TRUE(RunUntil(MyGame::GameMenu)) << "state " << Probe().State();
}

void GameFixture::PressKey(int dik)
{
    testcontrol::PressKey(dik);
}

void GameFixture::ReleaseKey(int dik)
{
    testcontrol::ReleaseKey(dik);
}

void GameFixture::TapKey(int dik)
{
    PressKey(dik);
    Frame();
    ReleaseKey(dik);
    Frame();
}

void GameFixture::MovePointer(int x, int y)
{
    testcontrol::MoveMouse(x, y, x - m_iPointerX, y - m_iPointerY);
    m_iPointerX = x;
    m_iPointerY = y;
}

void GameFixture::Click(int x, int y, int button)
{
    MovePointer(x, y);
    testcontrol::MouseButton(button, true, x, y);
    Frame();
    testcontrol::MouseButton(button, false, x, y);
    Frame();
}

std::string GameFixture::LogText() const
{
    return TempGameDir::ReadFile(GameFolders::LogFile());
}

std::size_t GameFixture::CountInLog(const std::string& text) const
{
    const std::string log = LogText();
    std::size_t count = 0;
    for (std::size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1))
        ++count;
    return count;
}

std::size_t GameFixture::StartedSounds()
{
    std::size_t started = 0;
    for (const testcontrol::SoundEvent& event : testcontrol::SoundEvents())
        started += event.started ? 1 : 0;
    return started;
}

std::vector<MyGame::GameSound> GameFixture::StartedGameSounds()
{
    std::vector<MyGame::GameSound> sounds;
    tnVector<tnSound::WaveData>& waves = Probe().WaveList();
    for (const testcontrol::SoundEvent& event : testcontrol::SoundEvents()) {
        for (tnUInt32 i = 0; event.started && i < waves.size(); ++i) {
            if (waves[i].wavData && testcontrol::SoundFingerprint(waves[i].wavData, waves[i].wavSize) == event.fingerprint) {
                sounds.push_back(static_cast<MyGame::GameSound>(i));
                break;
            }
        }
    }
    return sounds;
}

std::string GameFixture::SaveScreenshot(const std::string& name)
{
    std::vector<DWORD> pixels;
    int width = 0;
    int height = 0;
    if (!testcontrol::ReadBackBuffer(pixels, &width, &height))
        return std::string();
    std::filesystem::path folder = std::filesystem::path(GROVEKEEP_BUILD_DIR) / "screenshots";
    std::filesystem::create_directories(folder);
    std::string path = (folder / (name + ".png")).string();
    return testcontrol::SavePNG(path, pixels, width, height) ? path : std::string();
}
