// What a replay needs of the game: the state a picked game starts from, the
// same start again on playback, and a digest of the state to compare.
#include "mygame.h"

#include "gamechance.h"
#include "replayfile.h"
#include "tnmouse.h"

#include "commandline.h"

namespace {
// FNV-1a, 32 bits: enough to tell two fields of objects apart.
void Mix(tnUInt32& hash, tnUInt32 value)
{
    for (int byte = 0; byte < 4; ++byte) {
        hash ^= (value >> (8 * byte)) & 0xFFu;
        hash *= 16777619u;
    }
}

void MixObjects(tnUInt32& hash, tnSingleList<skObject>& objects)
{
    Mix(hash, objects.Size());
    for (objects.Reset(); objects.IsIteratorValid(); objects.Next()) {
        skObject& object = objects.GetCurrentItem();
        Mix(hash, static_cast<tnUInt32>(object.GetObjectType()));
        Mix(hash, static_cast<tnUInt32>(object.GetXPosition()));
        Mix(hash, static_cast<tnUInt32>(object.GetYPosition()));
    }
}
} // namespace

Replay::Start MyGame::ReplayStart(tnUInt16 level) const
{
    Replay::Start start;
    start.version = CommandLine::VersionNumber();
    start.level = level;
    start.sound = m_kOptions.m_bSoundOn;
    start.music = m_kOptions.m_bMusicOn;
    start.grid = m_kOptions.m_bGridOn;
    start.speed = m_kOptions.m_iSpeed;
    start.playerSpeed = m_kOptions.m_iPlayerSpeed;
    start.lives = m_iPlayerLife;
    start.topScore = m_iHighestGold;
    for (tnUInt32 i = 0; i < Replay::ButtonCount && i < m_kMenu1Buttons.size(); ++i)
        start.buttons[i] = static_cast<std::uint8_t>(m_kMenu1Buttons[i].GetStage());
    start.pointerX = static_cast<std::uint16_t>(tnMouse::GetX());
    start.pointerY = static_cast<std::uint16_t>(tnMouse::GetY());
    for (tnUInt32 key = 0; key < 256; ++key) {
        if (m_kKeyboard.IsButtonDown(key))
            start.keysDown.push_back(static_cast<std::uint8_t>(key));
    }
    start.drawn = GameChance::Drawn();
    return start;
}

bool MyGame::BeginReplayedGame(const Replay::Start& start)
{
    m_kOptions.m_bSoundOn = start.sound;
    m_kOptions.m_bMusicOn = start.music;
    m_kOptions.m_bGridOn = start.grid;
    m_kOptions.m_iSpeed = start.speed;
    m_kOptions.m_iPlayerSpeed = start.playerSpeed;
    m_iPlayerLife = start.lives;
    // The score the recorded game had to beat, not the one on this disk.
    m_iHighestGold = start.topScore;
    m_bLoadedTopScore = true;
    for (tnUInt32 i = 0; i < Replay::ButtonCount && i < m_kMenu1Buttons.size(); ++i)
        m_kMenu1Buttons[i].SetStage(static_cast<tnButton::_ButtonStage>(start.buttons[i] > 2 ? 1 : start.buttons[i]));
    tnMouse::SetPosition(start.pointerX, start.pointerY);
    GameChance::Restart();
    GameChance::Skip(start.drawn);
    m_eGameState = GameNew;
    StartPickedLevel(static_cast<tnInt32>(start.level) - 1);
    m_kMouse.Clear();
    return m_eGameState == GameRunning;
}

tnUInt32 MyGame::ObjectsDigest()
{
    tnUInt32 hash = 2166136261u;
    MixObjects(hash, m_kTargets);
    MixObjects(hash, m_kTraps);
    MixObjects(hash, m_kTempTargets);
    Mix(hash, m_kSnake.GetSize());
    for (tnUInt32 i = 0; skObject* member = m_kSnake.GetMember(i); ++i) {
        Mix(hash, static_cast<tnUInt32>(member->GetXPosition()));
        Mix(hash, static_cast<tnUInt32>(member->GetYPosition()));
    }
    return hash;
}

Replay::Digest MyGame::ReplayDigest(tnUInt32 frame)
{
    Replay::Digest digest;
    digest.frame = frame;
    skObject* farmer = m_kSnake.GetHeadObject();
    const tnUInt32 x = farmer ? static_cast<tnUInt32>(farmer->GetXPosition()) : 0;
    const tnUInt32 y = farmer ? static_cast<tnUInt32>(farmer->GetYPosition()) : 0;
    const tnUInt32 fields[Replay::Digest::FieldCount] = {
        m_eGameState, m_iCurrentLevel, m_iPlayerLife, m_iGold, m_kSnake.GetSize(), (x << 16) ^ y,
        static_cast<tnUInt32>(GameChance::Drawn()), ObjectsDigest()};
    for (int i = 0; i < Replay::Digest::FieldCount; ++i)
        digest.fields[i] = fields[i];
    return digest;
}
