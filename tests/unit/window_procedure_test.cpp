// The window procedure: each message it handles, and the scroll drag.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "app/window_procedure.h"
#include "platform/fake/fake_platform.h"
#include "platform/window.h"
#include "shell_fixture.h"
#include "state/app_state.h"

namespace orvane {
namespace {

using testing_support::ShellTest;

const WindowHandle window = fake::mainWindow;
const CursorHandle arrow{reinterpret_cast<void*>(uintptr_t{32512})};

class WindowProcedureTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        makeProgramFolder();
        appState.arrowCursor = arrow;
        fake::fakePlatform().procedure = windowProcedure;  // the window's, as createMainWindow keeps it
    }

    static intptr_t send(uint32_t message, intptr_t lParam = 0) {
        return windowProcedure(window, message, 0, lParam);
    }
};

TEST_F(WindowProcedureTest, DestroyPostsQuitWithCodeZero) {
    EXPECT_EQ(send(messageDestroy), 0);
    EXPECT_EQ(fake::fakePlatform().quitCode, 0);
    ASSERT_EQ(fake::fakePlatform().queue.size(), 1u);
    EXPECT_EQ(fake::fakePlatform().queue.front().message, messageQuit);
    EXPECT_EQ(framesStarted(), 0u);
}

TEST_F(WindowProcedureTest, EraseBackgroundResetsTheListOriginAndDrawsNothing) {
    appState.listOriginX = 5;
    appState.listOriginY = 6;
    EXPECT_EQ(send(messageEraseBackground), 0);
    EXPECT_EQ(appState.listOriginX, 22);
    EXPECT_EQ(appState.listOriginY, 16);
    EXPECT_TRUE(fake::fakePlatform().calls.empty());
}

TEST_F(WindowProcedureTest, PaintValidatesThenDrawsAndPassesTheFramesResultOn) {
    EXPECT_EQ(send(messagePaint), 0);
    ASSERT_FALSE(fake::fakePlatform().calls.empty());
    EXPECT_EQ(fake::fakePlatform().calls.front().call, fake::Call::defaultWindowProcedure);
    EXPECT_EQ(framesStarted(), 1u);

    fake::failCall(fake::Call::getWindowContext);
    EXPECT_EQ(send(messagePaint), 1);
    EXPECT_EQ(framesStarted(), 2u);
}

TEST_F(WindowProcedureTest, PaintDuringAFrameDrawsNothing) {
    appState.frameInProgress = true;
    EXPECT_EQ(send(messagePaint), 0);
    EXPECT_EQ(fake::callsOf(fake::Call::defaultWindowProcedure).size(), 1u);
    EXPECT_EQ(framesStarted(), 0u);
}

TEST_F(WindowProcedureTest, ButtonPressOnlySetsTheFlag) {
    EXPECT_EQ(send(messageLeftButtonDown, packPoint(50, 16)), 0);
    EXPECT_TRUE(appState.leftButtonDown);
    EXPECT_EQ(framesStarted(), 0u);
    EXPECT_EQ(appState.currentFolder, appState.rootFolderName);
}

TEST_F(WindowProcedureTest, ReleaseIsHandedToTheClickHandlerAndClearsTheFlag) {
    appState.leftButtonDown = true;
    EXPECT_EQ(send(messageLeftButtonUp, packPoint(220, 300)), 0);  // scroll strip: no frame
    EXPECT_FALSE(appState.leftButtonDown);
    EXPECT_EQ(framesStarted(), 0u);

    appState.leftButtonDown = true;
    appState.scrollOffset = 60;
    fake::failCall(fake::Call::getWindowContext);
    EXPECT_EQ(send(messageLeftButtonUp, packPoint(245, 300)), 1);  // reset ending, failed frame
    EXPECT_EQ(appState.scrollOffset, 0);
    EXPECT_FALSE(appState.leftButtonDown);
}

TEST_F(WindowProcedureTest, OtherMessagesGetTheDefaultHandling) {
    EXPECT_EQ(send(0x0006 /* WM_ACTIVATE */, 7), 0);
    const std::vector<fake::RecordedCall> defaults = fake::callsOf(fake::Call::defaultWindowProcedure);
    ASSERT_EQ(defaults.size(), 1u);
    EXPECT_EQ(defaults[0].args[1], 0x0006);
    EXPECT_EQ(defaults[0].args[3], 7);

    // Closing the window: the default handling destroys it, which posts the quit.
    EXPECT_EQ(send(messageClose), 0);
    EXPECT_TRUE(fake::fakePlatform().windowDestroyed);
    EXPECT_EQ(fake::fakePlatform().quitCode, 0);
    EXPECT_EQ(framesStarted(), 0u);
}

TEST_F(WindowProcedureTest, DragScrollsOnlyOverTheStripWithTheButtonHeld) {
    struct Case {
        int32_t x;
        bool buttonDown;
        bool scrolls;
    };
    const std::vector<Case> cases = {
        {199, true, false}, {200, true, true},   {239, true, true},   {240, true, false},
        {220, true, true},  {-1, true, false},   {-200, true, false}, {199, false, false},
        {200, false, false}, {239, false, false}, {240, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "x=" << c.x << " button=" << c.buttonDown);
        fake::reset();
        appState.leftButtonDown = c.buttonDown;
        appState.scrollOffset = 100;
        appState.lastMouseY = 40;

        send(messageMouseMove, packPoint(c.x, 70));

        EXPECT_EQ(appState.scrollOffset, c.scrolls ? 130 : 100);
        EXPECT_EQ(framesStarted(), c.scrolls ? 1u : 0u);
        EXPECT_EQ(appState.lastMouseY, 70);
        const std::vector<fake::RecordedCall> cursors = fake::callsOf(fake::Call::setCursor);
        ASSERT_EQ(cursors.size(), 1u);
        EXPECT_EQ(cursors[0].args[0], 32512);
    }
}

TEST_F(WindowProcedureTest, DragFollowsThePointerBothWays) {
    appState.leftButtonDown = true;
    appState.lastMouseY = 300;  // the last move before the drag, wherever it was
    for (int32_t y : {310, 330, 320, 250}) send(messageMouseMove, packPoint(215, y));
    EXPECT_EQ(appState.scrollOffset, -50);
    EXPECT_EQ(appState.lastMouseY, 250);
    EXPECT_EQ(framesStarted(), 4u);

    // Above the client area y arrives negative.
    send(messageMouseMove, packPoint(215, -20));
    EXPECT_EQ(appState.scrollOffset, -320);
    EXPECT_EQ(appState.lastMouseY, -20);
}

TEST_F(WindowProcedureTest, DragResultIsTheFramesResult) {
    appState.leftButtonDown = true;
    fake::failCall(fake::Call::getWindowContext);
    EXPECT_EQ(send(messageMouseMove, packPoint(215, 10)), 1);
    EXPECT_EQ(send(messageMouseMove, packPoint(100, 20)), 0);  // outside the strip: no frame
}

TEST_F(WindowProcedureTest, DragDuringAFrameScrollsWithoutDrawing) {
    appState.leftButtonDown = true;
    appState.frameInProgress = true;
    EXPECT_EQ(send(messageMouseMove, packPoint(215, 25)), 0);
    EXPECT_EQ(appState.scrollOffset, 25);
    EXPECT_EQ(framesStarted(), 0u);
}

TEST_F(WindowProcedureTest, ScrollOffsetHoldsAtItsLimits) {
    appState.leftButtonDown = true;
    appState.frameInProgress = true;
    appState.scrollOffset = std::numeric_limits<int32_t>::max() - 10;
    appState.lastMouseY = -32768;
    send(messageMouseMove, packPoint(215, 32767));
    EXPECT_EQ(appState.scrollOffset, std::numeric_limits<int32_t>::max());
    send(messageMouseMove, packPoint(215, -32768));  // and back down from the limit
    EXPECT_EQ(appState.scrollOffset, std::numeric_limits<int32_t>::max() - 65535);

    appState.scrollOffset = std::numeric_limits<int32_t>::min() + 10;
    appState.lastMouseY = 32767;
    send(messageMouseMove, packPoint(215, -32768));
    EXPECT_EQ(appState.scrollOffset, std::numeric_limits<int32_t>::min());
}

}  // namespace
}  // namespace orvane
