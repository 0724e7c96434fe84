// The harness leaves nothing behind: a test process that is killed takes its
// simulator with it, and its folder goes when the next test process starts.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "SimulatorHarness.h"

namespace simtest {
namespace {

// Ended (a zombie that nobody reaps counts as ended).
bool Gone(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(stat, line)) return true;
  const auto name_end = line.rfind(')');
  return name_end != std::string::npos && name_end + 2 < line.size() && line[name_end + 2] == 'Z';
}

TEST(SimulatorHarness, AKilledTestTakesItsSimulatorAlongAndItsFolderGoesNextTime) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  const pid_t test = fork();
  ASSERT_GE(test, 0);
  if (test == 0) {
    // The "test": starts a simulator, tells where it is and waits to be killed.
    close(fds[0]);
    Simulator sim;
    const std::string report = std::to_string(sim.Pid()) + " " + sim.Dir().Path() + "\n";
    if (write(fds[1], report.data(), report.size()) < 0) _exit(1);
    for (;;) pause();
  }
  close(fds[1]);
  std::string report;
  char c;
  while (read(fds[0], &c, 1) == 1 && c != '\n') report += c;
  close(fds[0]);
  kill(test, SIGKILL);
  waitpid(test, nullptr, 0);

  std::istringstream in(report);
  pid_t sim = -1;
  std::string folder;
  in >> sim >> folder;
  ASSERT_GT(sim, 0) << report;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!Gone(sim) && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_TRUE(Gone(sim));
  if (!Gone(sim)) kill(sim, SIGKILL);

  // Another test process that starts meanwhile may have removed it already.
  vntest::RemoveStaleTempDirs();
  EXPECT_FALSE(std::filesystem::exists(folder));
}

}  // namespace
}  // namespace simtest
