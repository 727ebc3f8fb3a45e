// drawFrame: the calls around the panels, the release of every object on
// every failure path, the failure texts, the frame counter and the guard.
#include <optional>

#include "screen_test_support.h"

namespace orvane::screen_test {
namespace {

class FrameTest : public ScreenTest {};

std::vector<std::u16string> diagnostics() {
    std::vector<std::u16string> texts;
    for (const fake::RecordedCall& call : fake::callsOf(Call::writeDiagnostic)) texts.push_back(call.text);
    return texts;
}

std::u16string failureText(FrameFailure failure) { return appState.failureTexts[size_t(failure)]; }

TEST_F(FrameTest, SuccessfulFrameSetsUpCopiesAndReleasesInOrder) {
    EXPECT_EQ(drawFrame(testWindow, 22, 16), 0);
    EXPECT_EQ(appState.frameCounter, 2u);
    EXPECT_FALSE(appState.frameInProgress);
    EXPECT_EQ(fake::liveDrawingObjects(), 0);
    EXPECT_TRUE(diagnostics().empty());

    std::vector<std::pair<Call, std::vector<int64_t>>> frame;  // without the panels' own drawing
    for (const fake::RecordedCall& call : fake::fakePlatform().calls) {
        if (call.call != Call::drawText && call.call != Call::drawRectangle && call.call != Call::clientRect) {
            frame.emplace_back(call.call, call.args);
        }
    }
    const int64_t window = fake::windowHandleValue, windowDC = 0x10000, memoryDC = 0x10001, canvas = 0x10002,
                  small = 0x10003, large = 0x10004, gray = fake::grayBrushHandle;
    const int64_t charSet = russianBuild() ? 204 : 0;
    const decltype(frame) expected = {
        {Call::getWindowContext, {window}},
        {Call::createMemoryContext, {windowDC}},
        {Call::createCanvas, {windowDC, 884, 960}},
        {Call::selectObject, {memoryDC, canvas}},
        {Call::grayBrush, {}},
        {Call::fillRect, {memoryDC, 0, 0, 884, 960, gray}},
        {Call::setTransparentBackground, {memoryDC}},
        {Call::selectObject, {memoryDC, gray}},
        {Call::setTextColor, {memoryDC, 0}},
        {Call::createFont, {16, charSet}},
        {Call::selectObject, {memoryDC, small}},
        {Call::createFont, {64, charSet}},
        {Call::selectObject, {memoryDC, large}},  // the day number
        {Call::selectObject, {memoryDC, small}},
        {Call::selectObject, {memoryDC, large}},  // month and year
        {Call::selectObject, {memoryDC, small}},
        {Call::deleteObject, {large}},
        {Call::selectObject, {memoryDC, fake::defaultFontHandle}},
        {Call::selectObject, {memoryDC, fake::defaultBrushHandle}},
        {Call::copyBlock, {windowDC, 0, 0, 884, 960, memoryDC, 0, 0}},
        {Call::deleteObject, {small}},
        {Call::deleteObject, {gray}},
        {Call::selectObject, {memoryDC, fake::defaultBitmapHandle}},
        {Call::deleteObject, {canvas}},
        {Call::deleteMemoryContext, {memoryDC}},
        {Call::releaseWindowContext, {window, windowDC}},
    };
    EXPECT_EQ(frame, expected);
}

// One row of the failure table: the call made to fail, and what follows.
struct FailureCase {
    const char* name;
    Call call;
    int occurrence;  // which call of that kind fails (1 = the first)
    int result;
    std::optional<FrameFailure> message;
    bool drawn;      // the panels drew, the image was copied and the frame counted
    int leftAlive;   // the object whose release failed stays alive
};
void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

const FailureCase failureCases[] = {
    {"windowContext", Call::getWindowContext, 1, 1, FrameFailure::getWindowContext, false, 0},
    {"memoryContext", Call::createMemoryContext, 1, 1, FrameFailure::getMemoryContext, false, 0},
    {"canvas", Call::createCanvas, 1, 0, std::nullopt, false, 0},
    {"text", Call::drawText, 1, 1, FrameFailure::draw, true, 0},
    {"rectangle", Call::drawRectangle, 1, 1, FrameFailure::draw, true, 0},
    {"largeFontDelete", Call::deleteObject, 1, 1, FrameFailure::deleteFont, true, 1},
    {"smallFontDelete", Call::deleteObject, 2, 1, FrameFailure::deleteFont, true, 1},
    {"brushDelete", Call::deleteObject, 3, 1, FrameFailure::removeBrush, true, 0},
    {"canvasDelete", Call::deleteObject, 4, 1, FrameFailure::deleteCanvas, true, 1},
    {"copy", Call::copyBlock, 1, 1, FrameFailure::copyFromMemory, true, 0},
    {"memoryContextDelete", Call::deleteMemoryContext, 1, 1, FrameFailure::deleteMemoryContext, true, 1},
    {"windowContextRelease", Call::releaseWindowContext, 1, 1, FrameFailure::releaseWindowContext, true, 1},
};

class FrameFailureTest : public FrameTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FrameFailureTest, MarksReportsReleasesAndGoesOn) {
    const FailureCase& c = GetParam();
    fake::failCall(c.call, c.occurrence);
    EXPECT_EQ(drawFrame(testWindow, 22, 16), c.result);
    EXPECT_FALSE(appState.frameInProgress);
    EXPECT_EQ(appState.frameCounter, c.drawn ? 2u : 1u);
    EXPECT_EQ(fake::liveDrawingObjects(), c.leftAlive);
    EXPECT_EQ(diagnostics(), c.message ? std::vector{failureText(*c.message)} : std::vector<std::u16string>{});
    EXPECT_EQ(callCount(Call::copyBlock), c.drawn ? 1u : 0u);
    EXPECT_EQ(callCount(Call::drawText) > 0, c.drawn);
    // Whatever was obtained is given back once.
    EXPECT_EQ(callCount(Call::releaseWindowContext), c.call == Call::getWindowContext ? 0u : 1u);
    EXPECT_EQ(callCount(Call::deleteMemoryContext), callCount(Call::createMemoryContext) - (c.call == Call::createMemoryContext));
}

INSTANTIATE_TEST_SUITE_P(EveryFailedCall, FrameFailureTest, ::testing::ValuesIn(failureCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FrameTest, FailedTextStillDrawsEveryLaterElement) {
    drawFrame(testWindow, 22, 16);
    const std::vector<Drawn> whole = drawn();
    startOver();
    fake::failCall(Call::drawText, int(appState.fileEntries.size()) + 1);  // the London label
    EXPECT_EQ(drawFrame(testWindow, 22, 16), 1);
    EXPECT_EQ(drawn(), whole);
}

TEST_F(FrameTest, FailureTextIsWrittenAtMostOnceASecond) {
    fake::failCall(Call::drawText);  // every text of every frame fails
    drawFrame(testWindow, 22, 16);
    fake::fakePlatform().tick = 999;
    drawFrame(testWindow, 22, 16);
    EXPECT_EQ(diagnostics().size(), 1u);

    fake::fakePlatform().tick = 1000;
    fake::failCall(Call::copyBlock);
    drawFrame(testWindow, 22, 16);
    EXPECT_EQ(diagnostics(), (std::vector{failureText(FrameFailure::draw), failureText(FrameFailure::draw),
                                          failureText(FrameFailure::copyFromMemory)}));
}

TEST_F(FrameTest, FrameAskedForDuringAFrameDoesNothing) {
    appState.frameInProgress = true;
    EXPECT_EQ(drawFrame(testWindow, 22, 16), 0);
    EXPECT_TRUE(appState.frameInProgress);
    EXPECT_EQ(appState.frameCounter, 1u);
    EXPECT_TRUE(fake::fakePlatform().calls.empty());
}

}  // namespace
}  // namespace orvane::screen_test
