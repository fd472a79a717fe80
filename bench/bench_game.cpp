// What a player feels: the cost of start-up, of a menu frame and of a busy
// play frame (update and draw), and of the loaders behind a level start.
// Headless on the software renderer, the slowest path the game has.
#include "applicationwindow.h"
#include "bot.h"
#include "mygameprobe.h"
#include "tempgamedir.h"
#include "testcontrol.h"
#include "tnlog.h"
#include "tnrgbaimage.h"
#include "tntimer.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

// The program as the entry point builds it, stopped at the main menu.
class RunningGame {
public:
    RunningGame() : m_kDir(), m_pkWindow(std::make_unique<ApplicationWindow>(1024, 768)), m_kProbe(Game())
    {
        OpenLog();
        g_kTimer.Init();
        g_kTimer.Start();
        m_pkWindow->Create(nullptr, "Grovekeep", WS_POPUP | WS_VISIBLE | WS_SYSMENU, 101, 1024, 768);
        m_bStarted = m_pkWindow->Init() == tnOK;
        for (int i = 0; i < 10 && m_bStarted && Probe().State() != MyGame::GameMenu; ++i)
            Frame();
        m_bStarted = m_bStarted && Probe().State() == MyGame::GameMenu;
    }
    ~RunningGame()
    {
        m_pkWindow->Shutdown();
        DestroyWindow(m_pkWindow->GetHandle());
        CloseLog();
    }

    bool Started() const { return m_bStarted; }
    MyGame& Game() { return m_pkWindow->GetGame(); }
    MyGameProbe& Probe() { return m_kProbe; }

    // One frame without the pacing wait: the work a frame costs.
    void Frame()
    {
        MSG message; // the bot's keys
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        MyGame& game = Game();
        game.Clear(0xFF000000, nullptr);
        game.StartFrame();
        game.ProcessGame(0.033f);
        game.Render();
        game.EndFrame();
    }

private:
    TempGameDir m_kDir;
    std::unique_ptr<ApplicationWindow> m_pkWindow;
    MyGameProbe m_kProbe;
    bool m_bStarted = false;
};

void StartUp(benchmark::State& state)
{
    for (auto _ : state) {
        RunningGame game;
        if (!game.Started())
            state.SkipWithError("the game did not reach its menu");
    }
}
BENCHMARK(StartUp)->Unit(benchmark::kMillisecond)->Iterations(5);

void MenuFrame(benchmark::State& state)
{
    RunningGame game;
    for (auto _ : state)
        game.Frame();
}
BENCHMARK(MenuFrame)->Unit(benchmark::kMillisecond);

// The Witch's Garden, the last level: every kind of trap grows there.
constexpr unsigned short kEveryTrapLevel = 30;

// A crowded field in play: the Witch's Garden, ten fruits and
// ten traps, a 60-fruit chain, the grid and ten statements, with the bot at
// the keys, so that every frame runs the whole play step and draws it. A
// farmer who dies is put back on the field between timed frames.
bool StartBusyField(RunningGame& game)
{
    MyGameProbe& probe = game.Probe();
    probe.Targets() = 10;
    probe.Traps() = 10;
    probe.GridOn() = true;
    probe.PlayerLife() = 3;
    game.Game().NewGame();
    probe.ObjectiveTargets() = 500; // the chain never wins
    skObject* head = probe.Snake().GetHeadObject();
    if (!head)
        return false;
    skObject fruit(probe.TargetABOList()[3], skObject::APPLE1, head->GetXPosition(), head->GetYPosition(), 30, 30);
    for (int i = 0; i < 60; ++i)
        probe.Snake().Insert(fruit);
    return true;
}

void BusyPlayFrame(benchmark::State& state)
{
    RunningGame game;
    MyGameProbe& probe = game.Probe();
    if (!game.Game().LoadLevel(kEveryTrapLevel) || !StartBusyField(game)) {
        state.SkipWithError("the Witch's Garden did not start");
        return;
    }
    Bot bot(probe);
    for (auto _ : state) {
        if (probe.Statements().size() < 10)
            probe.Statements().push_back(tnStatement(300 + 40 * static_cast<int>(probe.Statements().size()), 700,
                                                     tnStringC("Nice Hit..."), 0xFFFFFFFF, 4, 4));
        game.Frame();
        bot.Act();
        if (probe.State() != MyGame::GameRunning || probe.Dying()) {
            state.PauseTiming();
            bot.ReleaseKeys();
            StartBusyField(game);
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BusyPlayFrame)->Unit(benchmark::kMillisecond);

void LoadLevel(benchmark::State& state)
{
    RunningGame game;
    for (auto _ : state) {
        if (!game.Game().LoadLevel(static_cast<unsigned short>(1 + state.iterations() % kEveryTrapLevel)))
            state.SkipWithError("a level did not load");
    }
}
BENCHMARK(LoadLevel)->Unit(benchmark::kMillisecond);

void LoadBitmap(benchmark::State& state)
{
    TempGameDir dir;
    for (auto _ : state) {
        tnRGBAImage image;
        benchmark::DoNotOptimize(image.LoadFromBitmap("../Graphics/help1.bmp"));
    }
}
BENCHMARK(LoadBitmap)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // Headless unless the caller chose a display.
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
