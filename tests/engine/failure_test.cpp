// SPDX-License-Identifier: GPL-3.0-or-later
#include "simrig.h"

#include "platform/wave/errortext.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr MMRESULT Code = MMSYSERR_NOTSUPPORTED;
constexpr MMRESULT NoText = MMSYSERR_NOERROR;  // the service has no text for the code

struct Fault {
    SimSide side;
    SimOp op;
    int call;
    MMRESULT code = Code;
};

struct ExpectedBox {
    const char* caption;
    MMRESULT code = Code;  // whose text the box shows
};

struct FailCase {
    const char* name;
    std::vector<Fault> faults;
    std::vector<ExpectedBox> boxes;
    bool sync = false;
    std::uint64_t held = 0;  // blocks held back from a device that has gone
    bool gone = false;  // the box reports the device gone: no header goes to it after it
};

constexpr SimSide In = SimSide::In;
constexpr SimSide Out = SimSide::Out;
constexpr MMRESULT Busy = WAVERR_STILLPLAYING;
constexpr MMRESULT NoServer = MMSYSERR_NODRIVER;
constexpr MMRESULT Removed = MMSYSERR_BADDEVICEID;

// A device gone for good: each header operation fails from its given call on (for the next
// dozen calls), and every reset and close.
std::vector<Fault> Vanished(SimSide side, MMRESULT code, int prepare, int add, int unprepare)
{
    std::vector<Fault> faults;
    for (const auto& [op, first] : {std::pair{SimOp::Prepare, prepare}, std::pair{SimOp::Add, add},
                                    std::pair{SimOp::Unprepare, unprepare},
                                    std::pair{SimOp::Reset, 1}, std::pair{SimOp::Close, 1}}) {
        for (int call = first; call < first + 12; ++call)
            faults.push_back({side, op, call, code});
    }
    return faults;
}

// Open counts the format query as its first call; the start makes the first four prepares
// and adds of each side, so call 5 fails inside a notification handler.
const std::vector<FailCase> Cases = {
    {"InCaps", {{In, SimOp::GetDevCaps, 1}}, {{"WaveInGetDevCaps"}}},
    {"OutCaps", {{Out, SimOp::GetDevCaps, 1}}, {{"WaveOutGetDevCaps"}}},
    {"InQuery", {{In, SimOp::Open, 1}}, {{"In Device Query"}}},
    {"OutQuery", {{Out, SimOp::Open, 1}}, {{"Out Device Query"}}},
    {"InOpen", {{In, SimOp::Open, 2}}, {{"In Device Open"}}},
    {"OutOpen", {{Out, SimOp::Open, 2}}, {{"Out Device Open"}}},
    {"InPrepareAtStart", {{In, SimOp::Prepare, 1}}, {{"InSetBuffer"}}},
    {"InPrepareInHandler", {{In, SimOp::Prepare, 5}}, {{"InSetBuffer"}}},
    {"InAddAtStart", {{In, SimOp::Add, 1}}, {{"InAddBuffer"}}},
    {"InAddInHandler", {{In, SimOp::Add, 5}}, {{"InAddBuffer"}}},
    {"InUnprepareInHandler", {{In, SimOp::Unprepare, 1}}, {{"InUnSetBuffer"}}},
    {"InUnprepareAtStop", {{In, SimOp::Unprepare, 7}}, {{"InUnSetBuffer"}}},
    {"InStart", {{In, SimOp::Start, 1}}, {{"Wave In Start"}}},
    // The device keeps its headers: unprepare and close refuse them in turn.
    {"InReset",
     {{In, SimOp::Reset, 1}},
     {{"Wave In Reset"}, {"InUnSetBuffer", Busy}, {"InUnSetBuffer", Busy},
      {"InUnSetBuffer", Busy}, {"InUnSetBuffer", Busy}, {"Wave In Close", Busy}}},
    {"InClose", {{In, SimOp::Close, 1}}, {{"Wave In Close"}}},
    {"OutPrepareAtStart", {{Out, SimOp::Prepare, 1}}, {{"OutSetBuffer"}}},
    {"OutPrepareAtStartSingle", {{Out, SimOp::Prepare, 1}}, {{"OutSetBuffer"}}, true},
    {"OutPrepareInHandler", {{Out, SimOp::Prepare, 5}}, {{"OutSetBuffer"}}},
    {"OutWriteAtStart", {{Out, SimOp::Add, 1}}, {{"OutAddBuffer"}}},
    {"OutWriteInHandler", {{Out, SimOp::Add, 5}}, {{"OutAddBuffer"}}},
    {"OutWriteInHandlerSingle", {{Out, SimOp::Add, 3}}, {{"OutAddBuffer"}}, true},
    {"OutUnprepareInHandler", {{Out, SimOp::Unprepare, 1}}, {{"OutUnSetBuffer"}}},
    {"OutUnprepareInHandlerSingle", {{Out, SimOp::Unprepare, 2}}, {{"OutUnSetBuffer"}}, true},
    {"OutReset",
     {{Out, SimOp::Reset, 1}},
     {{"Wave Out Reset"}, {"OutUnSetBuffer", Busy}, {"OutUnSetBuffer", Busy},
      {"OutUnSetBuffer", Busy}, {"OutUnSetBuffer", Busy}, {"Wave Out Close", Busy}}},
    {"OutResetSingle",
     {{Out, SimOp::Reset, 1}},
     {{"Wave Out Reset"}, {"OutUnSetBuffer", Busy}, {"Wave Out Close", Busy}},
     true},
    {"OutClose", {{Out, SimOp::Close, 1}}, {{"Wave Out Close"}}},
    {"InErrorTextMissing",
     {{In, SimOp::Start, 1}, {In, SimOp::GetErrorText, 1}},
     {{"Wave In Start", NoText}}},
    {"OutErrorTextMissing",
     {{Out, SimOp::Open, 2}, {Out, SimOp::GetErrorText, 1}},
     {{"Out Device Open", NoText}}},
    // Once per device: its other blocks are held until the stop instead of failing in turn,
    // and the stop's reset, unprepares and close of it show nothing more.
    {"InGoneAtAdd", Vanished(In, NoServer, 6, 5, 2), {{"InAddBuffer", NoServer}}, false, 3, true},
    {"InGoneAtAddSingle",
     Vanished(In, NoServer, 6, 5, 2), {{"InAddBuffer", NoServer}}, true, 3, true},
    {"InGoneAtUnprepare",
     Vanished(In, NoServer, 5, 5, 1), {{"InUnSetBuffer", NoServer}}, false, 3, true},
    {"OutGoneAtWrite",
     Vanished(Out, Removed, 6, 5, 2), {{"OutAddBuffer", Removed}}, false, 3, true},
    {"OutGoneAtWriteSingle",
     Vanished(Out, Removed, 4, 3, 3), {{"OutAddBuffer", Removed}}, true, 0, true},
    {"OutGoneAtUnprepare",
     Vanished(Out, Removed, 5, 5, 1), {{"OutUnSetBuffer", Removed}}, false, 4, true},
    {"OutGoneAtUnprepareSingle",
     Vanished(Out, Removed, 3, 3, 2), {{"OutUnSetBuffer", Removed}}, true, 1, true},
    {"OutGoneAtStart",
     Vanished(Out, Removed, 2, 1, 1), {{"OutAddBuffer", Removed}}, false, 3, true},
};

void PrintTo(const FailCase& c, std::ostream* os)
{
    *os << c.name;
}

class FailingOperation : public ::testing::TestWithParam<FailCase> {};

TEST_P(FailingOperation, ShowsItsBoxesAndTheRelayStillStopsCleanly)
{
    const FailCase& c = GetParam();
    SimRig rig(c.sync);
    for (const Fault& fault : c.faults)
        rig.sim.Fail(fault.side, fault.op, fault.call, fault.code);
    if (c.gone)
        rig.window.WhileBoxOpen([&](const FakeWindow::Box&) { rig.log.Clear(); });
    if (rig.Start()) {
        rig.RunBlocks(6.5);
        rig.Stop();
    }
    const auto& boxes = rig.window.Boxes();
    ASSERT_EQ(boxes.size(), c.boxes.size());
    for (std::size_t n = 0; n < boxes.size(); ++n) {
        const MMRESULT code = c.boxes[n].code;
        EXPECT_EQ(boxes[n].caption, c.boxes[n].caption) << n;
        EXPECT_EQ(boxes[n].text, code == NoText ? "エラーです" : WaveErrorText(code)) << n;
    }
    const std::string goneSide = c.faults[0].side == In ? "waveIn" : "waveOut";
    for (const std::string& name : c.gone ? rig.log.Names() : std::vector<std::string>{}) {
        for (const char* op : {"PrepareHeader", "AddBuffer", "Write"})
            EXPECT_NE(name, goneSide + op) << "a header went to a device reported gone";
    }
    const DuctEngine::Counts counts = rig.engine.RelayCounts();
    EXPECT_EQ(counts.inHeldBlocks + counts.outHeldBlocks, c.held);
    EXPECT_EQ(GlobalLiveBlocks(), rig.liveBlocksBefore);
    EXPECT_FALSE(rig.engine.CaptureOpen() || rig.engine.PlaybackOpen());
}

INSTANTIATE_TEST_SUITE_P(Operations, FailingOperation, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

// A relay with one device missing still runs and still stops.
TEST(MissingDevice, CaptureThatFailsToOpenLeavesPlaybackPlayingSilence)
{
    SimRig rig;
    rig.sim.Fail(In, SimOp::Open, 2, Code);
    ASSERT_TRUE(rig.Start());
    rig.RunBlocks(10);
    EXPECT_FALSE(rig.engine.CaptureOpen());
    EXPECT_TRUE(rig.engine.PlaybackOpen());
    const std::vector<BYTE> played = rig.PlayedBytes();
    EXPECT_EQ(played.size(), 10u * static_cast<std::size_t>(rig.engine.BlockLength()));
    EXPECT_EQ(played, std::vector<BYTE>(played.size(), 128));
    // Every playback entry waited a block for a recording that never came, then took silence.
    EXPECT_EQ(rig.engine.RelayCounts().underruns, 9u);
    rig.Stop();
    EXPECT_TRUE(rig.window.IsListEnabled(DeviceList::outputList));
    EXPECT_EQ(GlobalLiveBlocks(), rig.liveBlocksBefore);
}

TEST(MissingDevice, PlaybackThatFailsToOpenLeavesCaptureOverrunningTheRing)
{
    SimRig rig;
    rig.sim.Fail(Out, SimOp::Open, 2, Code);
    ASSERT_TRUE(rig.Start());
    rig.RunBlocks(10);
    EXPECT_TRUE(rig.engine.CaptureOpen());
    EXPECT_FALSE(rig.engine.PlaybackOpen());
    EXPECT_EQ(rig.engine.RelayCounts().overruns, 3u);
    EXPECT_EQ(rig.sim.CaptureBytesLost(), 0u);
    EXPECT_TRUE(rig.sim.Played().empty());
    rig.Stop();
    EXPECT_TRUE(rig.window.IsListEnabled(DeviceList::inputList));
    EXPECT_EQ(GlobalLiveBlocks(), rig.liveBlocksBefore);
}

}
