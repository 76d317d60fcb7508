// The program itself, started as a user or a desktop session starts it.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>
#include <filesystem>

#include "gui_test_support.h"

namespace rizazovoz {
namespace {

#ifdef RIZAZOVOZ_PROGRAM_PATH

QProcessEnvironment WithoutDisplay() {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    environment.remove(QString::fromLatin1(name));
  }
  return environment;
}

TEST(Program, ABadCommandLineIsReportedWithoutADisplay) {
  QProcess program;
  program.setProcessEnvironment(WithoutDisplay());
  program.start(QStringLiteral(RIZAZOVOZ_PROGRAM_PATH), {QStringLiteral("--simulate=XYZ")});
  ASSERT_TRUE(program.waitForFinished(10000));
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 2);
  const QString error = QString::fromUtf8(program.readAllStandardError());
  EXPECT_TRUE(error.contains(QStringLiteral("four hexadecimal digits"))) << error.toStdString();
  EXPECT_TRUE(error.contains(QStringLiteral("Usage:")));
}

// SIGTERM (a desktop session logging out) closes the program as Exit does: the settings
// are written, into a bin/ folder it creates, and it ends with 0.
TEST(Program, SigtermWritesTheSettingsAndEndsWithZero) {
  guitest::TempSettingsFile settings;
  const std::filesystem::path folder = settings.path().parent_path().parent_path();
  QProcess program;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  program.setProcessEnvironment(environment);
  program.setWorkingDirectory(QString::fromStdString(folder.string()));
  program.start(QStringLiteral(RIZAZOVOZ_PROGRAM_PATH),
                {QStringLiteral("--simulate"), QStringLiteral("--connect")});
  ASSERT_TRUE(program.waitForStarted(10000));
  QTest::qWait(1500);  // up, connected and polling
  program.terminate();
  ASSERT_TRUE(program.waitForFinished(10000));
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 0);
  EXPECT_TRUE(std::filesystem::is_regular_file(settings.path()));
}

#else
TEST(Program, NeedsTheProgram) { GTEST_SKIP() << "the program is not part of this build"; }
#endif

}  // namespace
}  // namespace rizazovoz
