// Start-up and the main loop, run against the fake's scripted queue and clocks.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/fake/fake_platform.h"
#include "platform/files.h"
#include "platform/program.h"
#include "platform/window.h"
#include "shell_fixture.h"
#include "state/app_state.h"

namespace orvane {
namespace {

using fake::Call;
using testing_support::ShellTest;

constexpr SYSTEMTIME someLocalTime{2024, 2, 4, 29, 23, 5, 7, 321};

class MainLoopTest : public ShellTest {};

TEST_F(MainLoopTest, StartsUpInOrderAndEndsOnAWaitingClose) {
    fake::fakePlatform().localTime = someLocalTime;
    // Waiting before the loop starts: the first look at the queue sees it, and
    // the loop ends without a pass.
    fake::fakePlatform().queue.push_back(fake::windowMessage(messageClose));

    EXPECT_EQ(runProgram(), 1);

    // The executable's folder is current and remembered.
    const std::u16string executableFolder = platform::executableFolder();
    std::u16string current;
    platform::getCurrentFolder(current);
    EXPECT_EQ(appState.programFolder, current);
    EXPECT_FALSE(appState.programFolder.empty());
    EXPECT_EQ(std::filesystem::path(appState.programFolder), std::filesystem::path(executableFolder));

    ASSERT_EQ(appState.weekdayNames.size(), 7u);
    for (size_t i = 0; i < 7; ++i) EXPECT_EQ(appState.weekdayNames[i], appState.dayOfWeekKeys[i]);
    EXPECT_EQ(appState.maxDayNameLength, stringTable().languageCode == u"ru" ? 11 : 9);

    EXPECT_EQ(appState.workingDate, someLocalTime);

    // The window's calls, in order; the update's paint draws the first frame.
    std::vector<Call> order;
    for (const fake::RecordedCall& recorded : fake::fakePlatform().calls) {
        switch (recorded.call) {
        case Call::createMainWindow:
        case Call::loadArrowCursor:
        case Call::setCursor:
        case Call::showWindow:
        case Call::updateWindow:
        case Call::getWindowContext:
        case Call::peekMessage:
        case Call::dispatchMessage:
        case Call::destroyCursor:
        case Call::closeWindow:
            order.push_back(recorded.call);
            break;
        default:
            break;
        }
    }
    const std::vector<Call> expectedOrder = {
        Call::createMainWindow, Call::loadArrowCursor, Call::setCursor,   Call::showWindow,
        Call::updateWindow,     Call::getWindowContext, Call::peekMessage, Call::destroyCursor,
        Call::closeWindow,
    };
    EXPECT_EQ(order, expectedOrder);
    EXPECT_EQ(fake::fakePlatform().windowTitle, appState.windowTitle);
    EXPECT_EQ(fake::callsOf(Call::peekMessage)[0].args[0], 0);  // a look, not a take
    EXPECT_EQ(fake::callsOf(Call::setCursor)[0].args[0], 32512);
    EXPECT_EQ(fake::callsOf(Call::destroyCursor)[0].args[0], 32512);
    EXPECT_EQ(fake::fakePlatform().queue.size(), 1u);  // the close was never taken
}

// No window: one line says why, the program ends with 3 and draws nothing.
TEST_F(MainLoopTest, WithoutAWindowSaysWhyAndEndsWithThree) {
    fake::failCall(Call::createMainWindow);
    fake::fakePlatform().queue.push_back(fake::windowMessage(messageClose));

    EXPECT_EQ(runProgram(), 3);

    const std::vector<fake::RecordedCall> lines = fake::callsOf(Call::writeDiagnostic);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, u"orvane: cannot open a window: the test made window creation fail");
    EXPECT_EQ(framesStarted(), 0u);
    EXPECT_TRUE(fake::callsOf(Call::peekMessage).empty());
    EXPECT_TRUE(fake::callsOf(Call::showWindow).empty());
}

TEST_F(MainLoopTest, StopsDrawingAfterAThousandFramesInASecond) {
    fake::fakePlatform().tickStep = 1;  // every empty pass reads the tick once
    // Arrives just before the measuring second would end.
    fake::fakePlatform().scheduled.push_back({1001, fake::windowMessage(messageClose)});

    EXPECT_EQ(runProgram(), 1);

    EXPECT_EQ(appState.frameCounter, 1001u);
    EXPECT_EQ(appState.framesPerSecond, 0);
    EXPECT_EQ(framesStarted(), 1000u);  // the first paint and 999 of the loop's
    // Taken and dispatched: the default handling destroys the window.
    EXPECT_TRUE(fake::fakePlatform().windowDestroyed);
    EXPECT_EQ(fake::fakePlatform().quitCode, 0);
}

TEST_F(MainLoopTest, MeasuresTheFrameRateOnceASecond) {
    fake::fakePlatform().tickStep = 1;
    fake::fakePlatform().scheduled.push_back({1500, fake::windowMessage(messageClose)});

    EXPECT_EQ(runProgram(), 1);

    EXPECT_EQ(appState.framesPerSecond, 1001);
    EXPECT_GT(appState.frameCounter, 1u);
    EXPECT_LT(appState.frameCounter, 1001u);
}

TEST_F(MainLoopTest, DispatchesEveryWaitingMessageBeforeDrawing) {
    fake::FakePlatform& fake = fake::fakePlatform();
    fake.queue.push_back(fake::windowMessage(messageLeftButtonDown, packPoint(215, 100)));
    fake.queue.push_back(fake::windowMessage(messageMouseMove, packPoint(215, 130)));
    fake.queue.push_back(fake::windowMessage(messageQuit));

    EXPECT_EQ(runProgram(), 1);

    const std::vector<fake::RecordedCall> dispatched = fake::callsOf(Call::dispatchMessage);
    ASSERT_EQ(dispatched.size(), 3u);
    EXPECT_EQ(dispatched[0].args[1], messageLeftButtonDown);
    EXPECT_EQ(dispatched[1].args[1], messageMouseMove);
    EXPECT_EQ(dispatched[2].args[1], messageQuit);
    EXPECT_EQ(fake::callsOf(Call::translateMessage).size(), 3u);
    EXPECT_TRUE(appState.leftButtonDown);
    EXPECT_EQ(appState.lastMouseY, 130);
    // The first paint and the drag's frame: the loop itself never found the queue empty.
    EXPECT_EQ(framesStarted(), 2u);
}

}  // namespace
}  // namespace orvane
