#include "app/TInputRecorder.h"

#include <gtest/gtest.h>

namespace {

// A full disk: one message, then play goes on without the recording.
TEST(TInputRecorderTest, AFileThatCannotBeWrittenIsReportedOnce) {
    testing::internal::CaptureStderr();
    {
        TInputRecorder Recorder;
        Recorder.Start("/dev/full", "# header\n", 1);
        EXPECT_FALSE(Recorder.Recording());
        for (int Frame = 1; Frame <= 3 * TInputRecorder::FramesPerWrite; ++Frame) {
            Recorder.Event(Frame, TInputEvent::Of(TInputEvent::TKind::KeyDown, 57));
            Recorder.FrameDone(Frame, 10);
        }
    }
    const std::string Messages = testing::internal::GetCapturedStderr();
    EXPECT_NE(Messages.find("/dev/full"), std::string::npos) << Messages;
    EXPECT_EQ(Messages.find('\n'), Messages.size() - 1) << Messages;
}

} // namespace
