// Closing the window in the middle of a check ends the program with 0, in a
// process of its own since that is the point.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

namespace {

TEST(CloseMidRunTest, ProgramEndsWithZero) {
  for (const char* mode : {"request", "window", "idle"}) {
    SCOPED_TRACE(mode);
    QProcess probe;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    probe.setProcessEnvironment(environment);
    probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    probe.start(QString(PROJECT_BIN_DIR) + "/checker_close_probe", {mode});
    ASSERT_TRUE(probe.waitForStarted(20000));
    QByteArray output;
    while (!output.contains("closing\n") && probe.waitForReadyRead(30000)) {
      output += probe.readAllStandardOutput();
    }
    ASSERT_TRUE(output.contains("closing\n")) << output.toStdString();
    QElapsedTimer since_close;
    since_close.start();
    // The bound only catches a hang; the time is reported, not judged.
    ASSERT_TRUE(probe.waitForFinished(10000))
        << "still running after the close";
    ::testing::Test::RecordProperty(std::string("ms_to_exit_") + mode,
                                    static_cast<int>(since_close.elapsed()));
    EXPECT_EQ(probe.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(probe.exitCode(), 0);
  }
}

}  // namespace
