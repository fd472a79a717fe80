// The difficulty report: the tests' bot plays every level a fixed number of
// games, headless on the fake clock, and a Markdown table tells how often it
// won, how long a win took and what killed the farmer most. The levels are
// ordered by this table: the win rate should fall, broadly, from the first
// level to the last, and a level the bot never wins is too hard or broken.
//
//   level_difficulty [--games N] [--levels FIRST-LAST] [--out FILE] [--pictures DIR]
//
// Each game starts the level as a pick from the level list does (three
// lives, no gold, no antidote) with the C library's generator seeded 1, 2,
// ... N, and the clock set back to the same instant, so a game repeats
// exactly, whatever else the run plays. Exits 1 when a level is never won.
// With --pictures, one frame of each level in full swing is drawn and saved
// as DIR/levelNN.png, for people to look at.
#include "bot.h"
#include "headlessprogram.h"
#include "levelfiles.h"
#include "messagepump.h"
#include "mygameprobe.h"
#include "tempgamedir.h"

#include "testcontrol.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr tnReal32 kStep = 1.0f / 30.0f;       // one frame at the game's pace
constexpr int kCapSeconds = 600;                // a game not decided by then counts as lost
constexpr int kCapFrames = kCapSeconds * 30;
constexpr LONGLONG kClockStart = 1000000;

enum Death { Edge, Scenery, Poison, Trap, kDeathKinds };
const char* const kDeathNames[kDeathKinds] = {"edge", "scenery", "poison", "trap"};

// The game names a death with a floating text where it happened; the edge
// alone kills in silence.
Death CauseOf(const std::string& newestText)
{
    const auto startsWith = [&](const char* start) { return newestText.rfind(start, 0) == 0; };
    if (startsWith("Nice Hit"))
        return Scenery;
    if (startsWith("Ate "))
        return Poison;
    if (startsWith("Killed "))
        return Trap;
    return Edge;
}

// The text of the newest floating statement when there are more than
// `before`, or an empty one.
std::string NewestText(MyGameProbe& probe, tnUInt32 before)
{
    const tnVector<tnStatement>& statements = probe.Statements();
    if (statements.size() <= before)
        return std::string();
    tnStringC text = statements[statements.size() - 1].GetText();
    return static_cast<char*>(text);
}

struct Options {
    int games = 20;
    int first = 1;
    int last = 0; // 0: up to the last level there is
    std::string out;
    std::string pictures; // folder for a picture of each level in play, or empty
};

struct GameResult {
    bool won = false;
    int frames = 0;
    bool pictured = false; // a picture of the game was saved
    std::array<int, kDeathKinds> deaths{};
};

struct LevelRecord {
    int level = 0;
    std::string title;
    int objective = 0;
    int speed = 0;
    std::vector<GameResult> games;
};

// The whole game in a scratch folder, driven one step at a time without
// drawing: the states run exactly as in the program, only nothing is shown.
class LevelPlayer {
public:
    bool Start();
    void Stop();
    // One game of the level; nothing when the level does not load or the
    // farmer cannot be placed.
    std::optional<GameResult> Play(int level, int seed, const std::string& picture = std::string());
    LevelRecord Describe(int level);

private:
    bool ReachMenu();
    // One step of play; drawn and saved as a PNG when `picture` names a file.
    void Step(const std::string& picture);
    bool InFullSwing();

    std::unique_ptr<TempGameDir> m_pkDir;
    std::unique_ptr<HeadlessProgram> m_pkProgram;
};

bool LevelPlayer::Start()
{
    testcontrol::UseFakeClock(kClockStart, 1000);
    m_pkDir = std::make_unique<TempGameDir>();
    m_pkProgram = std::make_unique<HeadlessProgram>();
    return m_pkProgram->Start() && ReachMenu();
}

bool LevelPlayer::ReachMenu()
{
    for (int frame = 0; frame < 100; ++frame) {
        PumpWindowMessages();
        m_pkProgram->Window().Frame();
        MyGameProbe& probe = m_pkProgram->Probe();
        if (probe.State() == MyGame::GameMenu) {
            // Quiet, and no level title appended to the player's list.
            probe.SoundOn() = false;
            probe.MusicOn() = false;
            probe.JustFinishedLevel() = false;
            probe.AvailableLevel() = 0xFFFF;
            return true;
        }
    }
    return false;
}

void LevelPlayer::Stop()
{
    m_pkProgram.reset();
    m_pkDir.reset();
    testcontrol::UseRealClock();
}

void LevelPlayer::Step(const std::string& picture)
{
    MyGame& game = m_pkProgram->Game();
    PumpWindowMessages();
    if (picture.empty()) {
        game.ProcessGame(kStep);
        return;
    }
    game.Clear(0xFF000000, nullptr);
    game.StartFrame();
    game.ProcessGame(kStep);
    game.Render();
    game.EndFrame();
    std::vector<DWORD> pixels;
    int width = 0, height = 0;
    if (!testcontrol::ReadBackBuffer(pixels, &width, &height) || !testcontrol::SavePNG(picture, pixels, width, height))
        std::cerr << "level_difficulty: could not save " << picture << "\n";
}

// Half the way to the objective, with traps on the field: a frame worth
// showing.
bool LevelPlayer::InFullSwing()
{
    MyGameProbe& probe = m_pkProgram->Probe();
    return !probe.Dying() && probe.TrapList().Size() > 0 &&
           2 * probe.Snake().GetSize() > static_cast<tnUInt32>(probe.ObjectiveTargets());
}

std::optional<GameResult> LevelPlayer::Play(int level, int seed, const std::string& picture)
{
    MyGameProbe& probe = m_pkProgram->Probe();
    MyGame& game = m_pkProgram->Game();
    testcontrol::UseFakeClock(kClockStart, 1000);
    std::srand(static_cast<unsigned>(seed));
    probe.PlayerLife() = 3;
    probe.Gold() = 0;
    probe.Antidote() = 0;
    probe.CurrentLevel() = static_cast<tnUInt16>(level);
    probe.State() = MyGame::GameMenu;
    if (!game.LoadLevel(static_cast<unsigned short>(level)))
        return std::nullopt;
    game.NewGame();
    if (probe.State() != MyGame::GameRunning)
        return std::nullopt;
    GameResult result;
    Bot bot(probe);
    for (; result.frames < kCapFrames; ++result.frames) {
        const MyGame::GameState state = probe.State();
        if (state == MyGame::GameLevelComplete || state == MyGame::GameLost) {
            result.won = state == MyGame::GameLevelComplete;
            break;
        }
        const bool wasDying = probe.Dying();
        const tnUInt32 statements = probe.Statements().size();
        const bool pictured = !picture.empty() && !result.pictured && InFullSwing();
        Step(pictured ? picture : std::string());
        result.pictured = result.pictured || pictured;
        if (!wasDying && probe.Dying())
            ++result.deaths[CauseOf(NewestText(probe, statements))];
        bot.Act();
    }
    bot.ReleaseKeys();
    PumpWindowMessages();
    return result;
}

LevelRecord LevelPlayer::Describe(int level)
{
    LevelRecord record;
    record.level = level;
    MyGameProbe& probe = m_pkProgram->Probe();
    record.title = probe.Map().GetTitle();
    record.objective = probe.ObjectiveTargets();
    record.speed = probe.PlayerSpeed();
    return record;
}

// --- The figures -------------------------------------------------------------

int Wins(const LevelRecord& record)
{
    return static_cast<int>(std::count_if(record.games.begin(), record.games.end(),
                                          [](const GameResult& game) { return game.won; }));
}

// Median seconds of play to a win; negative when the level was never won.
double MedianWinSeconds(const LevelRecord& record)
{
    std::vector<int> frames;
    for (const GameResult& game : record.games)
        if (game.won)
            frames.push_back(game.frames);
    if (frames.empty())
        return -1.0;
    std::sort(frames.begin(), frames.end());
    const std::size_t middle = frames.size() / 2;
    const double median = frames.size() % 2 ? frames[middle] : (frames[middle - 1] + frames[middle]) / 2.0;
    return median * kStep;
}

std::array<int, kDeathKinds> Deaths(const LevelRecord& record)
{
    std::array<int, kDeathKinds> total{};
    for (const GameResult& game : record.games)
        for (int kind = 0; kind < kDeathKinds; ++kind)
            total[kind] += game.deaths[kind];
    return total;
}

std::string CommonestDeath(const std::array<int, kDeathKinds>& deaths)
{
    const auto most = std::max_element(deaths.begin(), deaths.end());
    if (*most == 0)
        return "none";
    return kDeathNames[most - deaths.begin()];
}

std::string Row(const LevelRecord& record)
{
    const int games = static_cast<int>(record.games.size());
    const int wins = Wins(record);
    const std::array<int, kDeathKinds> deaths = Deaths(record);
    int lives = 0;
    for (int count : deaths)
        lives += count;
    char line[256];
    const double median = MedianWinSeconds(record);
    char time[32] = "never won";
    if (median >= 0)
        std::snprintf(time, sizeof time, "%.0f s", median);
    std::snprintf(line, sizeof line, "| %d | %s | %d | %d | %d of %d | %.0f %% | %s | %.1f | %s |", record.level,
                  record.title.c_str(), record.objective, record.speed, wins, games,
                  games ? 100.0 * wins / games : 0.0, time, games ? static_cast<double>(lives) / games : 0.0,
                  CommonestDeath(deaths).c_str());
    return line;
}

std::string Report(const std::vector<LevelRecord>& records, const Options& options)
{
    std::ostringstream text;
    text << "# How hard each level is\n\n"
         << "The tests' bot (`tests/helpers/bot.cpp`) played every level " << options.games
         << " times, with the seeds 1 to " << options.games << ",\n"
         << "headless on the fake clock at 30 steps a second. A game starts as a pick from the level list\n"
         << "does (three lives, no gold, no antidote) and ends when the level is won, at game over or after\n"
         << kCapSeconds / 60 << " minutes of play. The bot takes the nearest fruit or bonus it can reach and keeps\n"
         << "clear of scenery, hazards, its own chain and, while it carries fruits, water; it knows nothing\n"
         << "of a trap's timer or a tornado's path. A level the bot never wins is too hard or broken; the\n"
         << "win rate should fall, broadly, from the first level to the last.\n\n"
         << "Made by `cmake --build build --target difficulty_report` (`tools/difficulty_report.cpp`).\n\n"
         << "| Level | Title | Objective | Speed | Won | Win rate | Median time to win | Lives lost per game "
            "| Commonest death |\n"
         << "|---:|---|---:|---:|---:|---:|---:|---:|---|\n";
    for (const LevelRecord& record : records)
        text << Row(record) << "\n";
    return text.str();
}

bool ReadOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (word == "--games" && value) {
            options.games = std::atoi(value);
        } else if (word == "--levels" && value) {
            const int read = std::sscanf(value, "%d-%d", &options.first, &options.last);
            if (read < 1)
                return false;
            if (read == 1)
                options.last = options.first;
        } else if (word == "--out" && value) {
            options.out = value;
        } else if (word == "--pictures" && value) {
            // The games run in a scratch folder: a relative name must not land there.
            options.pictures = std::filesystem::absolute(value).string();
        } else {
            return false;
        }
        ++i;
    }
    return options.games > 0 && options.first > 0 && (options.last == 0 || options.last >= options.first);
}

std::string PictureName(const Options& options, int level)
{
    if (options.pictures.empty())
        return std::string();
    char name[32];
    std::snprintf(name, sizeof name, "level%02d.png", level);
    return (std::filesystem::path(options.pictures) / name).string();
}

// Plays the levels asked for; false when one could not be played at all.
bool PlayLevels(LevelPlayer& player, const Options& options, std::vector<LevelRecord>& records)
{
    const int last = options.last ? options.last : CountLevelFiles();
    for (int level = options.first; level <= last; ++level) {
        LevelRecord record;
        for (int seed = 1; seed <= options.games; ++seed) {
            std::optional<GameResult> game = player.Play(level, seed);
            if (!game) {
                std::cerr << "level_difficulty: level " << level << " could not be played\n";
                return false;
            }
            if (seed == 1)
                record = player.Describe(level);
            record.games.push_back(*game);
        }
        // Drawing takes from the game's random numbers, so the picture
        // comes from a game of its own, not one of those counted.
        for (int seed = 1; !options.pictures.empty() && seed <= options.games; ++seed) {
            const std::optional<GameResult> game = player.Play(level, seed, PictureName(options, level));
            if (game && game->pictured)
                break;
        }
        records.push_back(record);
        std::cerr << Row(record) << "\n";
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ReadOptions(argc, argv, options)) {
        std::cerr << "usage: level_difficulty [--games N] [--levels FIRST-LAST] [--out FILE] [--pictures DIR]\n";
        return 2;
    }
    // Headless, whatever the desktop: nothing is shown and nothing heard.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::error_code error;
    if (!options.pictures.empty() && !std::filesystem::create_directories(options.pictures, error) && error) {
        std::cerr << "level_difficulty: cannot make " << options.pictures << ": " << error.message() << "\n";
        return 1;
    }
    LevelPlayer player;
    std::vector<LevelRecord> records;
    const bool started = player.Start();
    const bool played = started && PlayLevels(player, options, records);
    player.Stop();
    if (!started)
        std::cerr << "level_difficulty: the game did not start\n";
    if (!played)
        return 1;
    const std::string report = Report(records, options);
    if (options.out.empty()) {
        std::cout << report;
    } else {
        std::ofstream file(options.out);
        file << report;
        if (!file.flush()) {
            std::cerr << "level_difficulty: cannot write " << options.out << "\n";
            return 1;
        }
        std::cerr << "level_difficulty: wrote " << options.out << "\n";
    }
    const bool everyLevelWon = std::all_of(records.begin(), records.end(),
                                           [](const LevelRecord& record) { return Wins(record) > 0; });
    if (!everyLevelWon)
        std::cerr << "level_difficulty: a level was never won\n";
    return everyLevelWon ? 0 : 1;
}
