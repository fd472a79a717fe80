#include "replayplayer.h"

#include "tnmouse.h"

#include <cstdio>
#include <cstring>

ReplayPlayer::ReplayPlayer(const Replay::File& file)
    : m_kFile(file)
{
    for (std::uint8_t key : file.start.keysDown)
        m_aKeys[key] = 0x80;
}

bool ReplayPlayer::BeginFrame(MyGame& game, tnReal32& step)
{
    m_iKeyReads = m_iMouseReads = m_iSecondsReads = 0;
    if (m_bDone)
        return false;
    if (!m_bStarted) {
        // The title and the loading come first, as they always do.
        if (game.GetState() != MyGame::GameMenu)
            return true;
        m_bStarted = true;
        if (!StartGame(game))
            End(game);
        return false;
    }
    ++m_iFrame;
    const Replay::Frame& frame = Current();
    step = frame.step;
    tnMouse::SetPosition(frame.pointerX, frame.pointerY);
    if (frame.focusLost)
        game.PauseForFocusLoss();
    return true;
}

bool ReplayPlayer::StartGame(MyGame& game)
{
    m_kWatch.Begin(m_kFile.start.level);
    if (m_kFile.frames.empty()) {
        m_bUnplayable = true;
        m_strDifference = "the replay holds no frame";
        return false;
    }
    if (!game.BeginReplayedGame(m_kFile.start)) {
        char text[80];
        std::snprintf(text, sizeof(text), "level %u does not load in this install", m_kFile.start.level);
        m_bUnplayable = true;
        m_strDifference = text;
        return false;
    }
    return true;
}

bool ReplayPlayer::EndFrame(MyGame& game)
{
    if (!m_bStarted)
        return true;
    if (m_bDone)
        return false;
    CompareDigest(game);
    if (m_kWatch.Observe(game) == ReplayWatch::Ended || m_iFrame + 1 >= m_kFile.frames.size())
        End(game);
    return !m_bDone;
}

void ReplayPlayer::CompareDigest(MyGame& game)
{
    while (m_iDigest < m_kFile.digests.size() && m_kFile.digests[m_iDigest].frame < m_iFrame)
        ++m_iDigest;
    if (m_iDigest >= m_kFile.digests.size() || m_kFile.digests[m_iDigest].frame != m_iFrame)
        return;
    const Replay::Digest& recorded = m_kFile.digests[m_iDigest++];
    const Replay::Digest now = game.ReplayDigest(static_cast<tnUInt32>(m_iFrame));
    for (int i = 0; i < Replay::Digest::FieldCount; ++i) {
        if (now.fields[i] == recorded.fields[i])
            continue;
        char text[160];
        std::snprintf(text, sizeof(text), "frame %zu: the %s is %u, the recording has %u", m_iFrame,
                      Replay::Digest::FieldNames[i], now.fields[i], recorded.fields[i]);
        Differs(text);
        return;
    }
}

void ReplayPlayer::Differs(const std::string& what)
{
    if (m_strDifference.empty())
        m_strDifference = what;
}

void ReplayPlayer::End(MyGame& game)
{
    m_bDone = true;
    // A game that was left, or cut short, ends where its frames do.
    m_kOutcome = m_kWatch.Outcome(game, m_kFile.outcome.ending == Replay::Ending::GameOver ||
                                                m_kFile.outcome.ending == Replay::Ending::Completed
                                            ? Replay::Ending::Unfinished
                                            : m_kFile.outcome.ending);
}

ReplayPlayer::Verdict ReplayPlayer::GetVerdict() const
{
    if (m_bUnplayable)
        return Unplayable;
    return m_bDone && m_strDifference.empty() && m_kOutcome == m_kFile.outcome ? Same : Different;
}

tnUInt32 ReplayPlayer::OnSeconds(tnUInt32 seconds)
{
    if (!IsPlaying())
        return seconds;
    for (const Replay::SecondsChange& change : Current().seconds) {
        if (change.read == m_iSecondsReads)
            m_iSeconds = change.seconds;
    }
    ++m_iSecondsReads;
    return m_iSeconds;
}

tnError32 ReplayPlayer::OnKeyboard(tnError32 result, const tnUInt8*, tnUInt8* state)
{
    if (!IsPlaying())
        return result;
    const Replay::Frame& frame = Current();
    const tnUInt32 read = m_iKeyReads++;
    if (read >= frame.keyReads) {
        Differs("frame " + std::to_string(m_iFrame) + ": the game reads the keyboard more often than recorded");
        std::memcpy(state, m_aKeys, KeyCount);
        return tnOK;
    }
    result = tnOK;
    if (!frame.keys.empty()) {
        result = frame.keys[read].result;
        for (const Replay::KeyChange& change : frame.keys[read].changes)
            m_aKeys[change.key] = change.value;
    }
    std::memcpy(state, m_aKeys, KeyCount);
    return result;
}

tnError32 ReplayPlayer::OnMouse(tnError32 result, const DIDEVICEOBJECTDATA* before, DIDEVICEOBJECTDATA* slots)
{
    if (!IsPlaying())
        return result;
    const Replay::Frame& frame = Current();
    const tnUInt32 read = m_iMouseReads++;
    std::memcpy(slots, before, SlotCount * sizeof(DIDEVICEOBJECTDATA));
    if (read >= frame.mouseReads) {
        Differs("frame " + std::to_string(m_iFrame) + ": the game reads the mouse more often than recorded");
        return tnOK;
    }
    if (frame.mice.empty())
        return tnOK;
    for (const Replay::SlotChange& change : frame.mice[read].changes) {
        slots[change.slot].dwOfs = change.offset;
        slots[change.slot].dwData = change.data;
    }
    return frame.mice[read].result;
}
