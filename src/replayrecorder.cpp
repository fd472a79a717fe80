#include "replayrecorder.h"

#include "replayfolder.h"
#include "savedfile.h"
#include "tnmouse.h"

bool ReplayRecorder::BeginFrame(MyGame&, tnReal32& step)
{
    m_fStep = step;
    if (IsRecording())
        StartFrame();
    return true;
}

void ReplayRecorder::StartFrame()
{
    m_kFrame = Replay::Frame();
    m_kFrame.step = m_fStep;
    m_kFrame.pointerX = static_cast<std::uint16_t>(tnMouse::GetX());
    m_kFrame.pointerY = static_cast<std::uint16_t>(tnMouse::GetY());
    m_kFrame.focusLost = m_bFocusLost;
    m_bFocusLost = false;
    m_iSecondsReads = 0;
}

bool ReplayRecorder::EndFrame(MyGame& game)
{
    if (!IsRecording())
        return true;
    const std::uint32_t frame = m_pkWriter->FrameCount();
    m_pkWriter->AddFrame(m_kFrame);
    if (frame % Replay::DigestEvery == 0)
        m_pkWriter->AddDigest(game.ReplayDigest(frame));
    switch (m_kWatch.Observe(game)) {
    case ReplayWatch::LevelStarted:
        Save(game, Replay::Ending::Unfinished);
        break;
    case ReplayWatch::Ended:
        Stop(game, Replay::Ending::Unfinished);
        break;
    default:
        break;
    }
    return true;
}

void ReplayRecorder::OnLevelPicked(MyGame& game, tnUInt16 level)
{
    if (IsRecording())
        Stop(game, Replay::Ending::Abandoned);
    const Replay::Start start = game.ReplayStart(level);
    m_iTopScore = start.topScore;
    m_pkWriter = std::make_unique<ReplayWriter>(start);
    m_kWatch.Begin(level);
    m_iLastSeconds = -1;
    m_bFocusLost = false;
    m_strFile = ReplayFolder::NewFile();
    StartFrame();
}

bool ReplayRecorder::OnFocusLost()
{
    m_bFocusLost = IsRecording();
    return true;
}

tnUInt32 ReplayRecorder::OnSeconds(tnUInt32 seconds)
{
    if (IsRecording()) {
        if (static_cast<tnInt32>(seconds) != m_iLastSeconds)
            m_kFrame.seconds.push_back({m_iSecondsReads, static_cast<std::uint8_t>(seconds)});
        m_iLastSeconds = static_cast<tnInt32>(seconds);
        ++m_iSecondsReads;
    }
    return seconds;
}

void ReplayRecorder::Finish(MyGame& game)
{
    if (IsRecording())
        Stop(game, Replay::Ending::Quit);
}

tnError32 ReplayRecorder::OnKeyboard(tnError32 result, const tnUInt8* before, tnUInt8* state)
{
    if (!IsRecording())
        return result;
    Replay::KeyRead read;
    read.result = result;
    for (tnUInt32 key = 0; key < KeyCount; ++key) {
        if (before[key] != state[key])
            read.changes.push_back({static_cast<std::uint8_t>(key), state[key]});
    }
    m_kFrame.keys.push_back(read);
    ++m_kFrame.keyReads;
    return result;
}

tnError32 ReplayRecorder::OnMouse(tnError32 result, const DIDEVICEOBJECTDATA* before, DIDEVICEOBJECTDATA* slots)
{
    if (!IsRecording())
        return result;
    Replay::MouseRead read;
    read.result = result;
    // The game reads a slot's object and data, never its time or sequence.
    for (tnUInt32 slot = 0; slot < SlotCount; ++slot) {
        if (before[slot].dwOfs != slots[slot].dwOfs || before[slot].dwData != slots[slot].dwData)
            read.changes.push_back({static_cast<std::uint8_t>(slot), slots[slot].dwOfs, slots[slot].dwData});
    }
    m_kFrame.mice.push_back(read);
    ++m_kFrame.mouseReads;
    return result;
}

void ReplayRecorder::Save(MyGame& game, Replay::Ending ending)
{
    if (!ReplayFolder::Make())
        return;
    const Replay::Outcome outcome = m_kWatch.Outcome(game, ending);
    const std::string bytes = m_pkWriter->Bytes(outcome);
    if (!SavedFile::Replace(m_strFile, bytes))
        return;
    const bool over = outcome.ending == Replay::Ending::GameOver || outcome.ending == Replay::Ending::Completed;
    if (over && outcome.gold > m_iTopScore)
        SavedFile::Replace(ReplayFolder::BestFile(), bytes);
    ReplayFolder::Prune();
}

void ReplayRecorder::Stop(MyGame& game, Replay::Ending ending)
{
    Save(game, ending);
    m_pkWriter.reset();
}
