// kxr-simulator: a simulated KXR-5810 switch agent for tests and the demo.
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <vector>

#include "simulator/src/Agent.h"
#include "simulator/src/BigTable.h"
#include "simulator/src/Control.h"
#include "simulator/src/ControlServer.h"
#include "simulator/src/Fixture.h"
#include "simulator/src/Options.h"
#include "simulator/src/Seeder.h"
#include "simulator/src/StateFile.h"
#include "simulator/src/Turnaround.h"

#ifndef VN_SIM_FIXTURE
#define VN_SIM_FIXTURE "simulator/fixture/kxr5810.fixture"
#endif

namespace fs = std::filesystem;

namespace {

volatile sig_atomic_t g_signalled = 0;

// The device fixture, then every further *.fixture file beside it in name
// order (feature areas keep their tables and rules in files of their own).
std::vector<std::string> DefaultFixtures() {
  const fs::path main = VN_SIM_FIXTURE;
  std::vector<std::string> out{main.string()};
  std::vector<std::string> more;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(main.parent_path(), ec)) {
    if (entry.path().extension() == ".fixture" && entry.path() != main)
      more.push_back(entry.path().string());
  }
  std::sort(more.begin(), more.end());
  out.insert(out.end(), more.begin(), more.end());
  return out;
}
int g_wakeFd = -1;

void OnSignal(int) {
  g_signalled = 1;
  if (g_wakeFd >= 0) {
    const char byte = 1;
    [[maybe_unused]] ssize_t n = ::write(g_wakeFd, &byte, 1);
  }
}

std::int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

bool ReadText(const std::string& path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  out = s.str();
  return true;
}

// A private folder for the SNMP library when none was given; removed at exit.
struct TempFolder {
  std::string path;
  ~TempFolder() {
    std::error_code ec;
    if (!path.empty()) fs::remove_all(path, ec);
  }
};

int Run(int argc, char** argv) {
  // Under a file-size limit a write fails (and is reported) instead of
  // killing the agent halfway through a file.
  signal(SIGXFSZ, SIG_IGN);
  sim::Options options;
  std::string error;
  if (!sim::ParseOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
    std::cerr << "kxr-simulator: " << error << "\n" << sim::Usage();
    return 2;
  }
  if (options.help) {
    std::cout << sim::Usage();
    return 0;
  }

  sim::Fixture fixture;
  if (options.fixtures.empty()) options.fixtures = DefaultFixtures();
  for (const std::string& path : options.fixtures) {
    std::string text;
    if (!ReadText(path, text)) {
      std::cerr << "kxr-simulator: cannot read fixture " << path << "\n";
      return 2;
    }
    sim::ParseFixture(text, path, fixture);
  }

  TempFolder temp;
  if (options.agent.stateDir.empty()) {
    std::string pattern = (fs::temp_directory_path() / "kxr-simulator-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
      std::cerr << "kxr-simulator: cannot make a temporary folder\n";
      return 1;
    }
    temp.path = pattern;
    options.agent.stateDir = pattern;
  } else {
    std::error_code ec;
    fs::create_directories(options.agent.stateDir, ec);
    if (!fs::is_directory(options.agent.stateDir)) {
      std::cerr << "kxr-simulator: cannot use state folder " << options.agent.stateDir << "\n";
      return 1;
    }
    options.agent.persistBoots = true;
  }

  auto schema = sim::BuildSchema(sim::CatalogueSeed(), fixture, [&](sim::Schema& s) {
    if (options.bigRows > 0) sim::AddBigTable(s, options.bigRows, options.bigColumns);
  });
  sim::Store store(schema, NowMs);
  sim::SeedStore(store, fixture);

  sim::Behaviour behaviour;
  sim::RequestLog log;
  if (!options.logFile.empty() && !log.Open(options.logFile, error)) {
    std::cerr << "kxr-simulator: " << error << "\n";
    return 1;
  }

  sim::Agent agent(store, behaviour, log, options.agent);
  sim::TurnaroundLog times;
  if (!options.turnaroundFile.empty()) agent.RecordTimes(&times);
  if (!agent.Start(error)) {
    std::cerr << "kxr-simulator: " << error << "\n";
    return 1;
  }
  // The engine group shows the agent's own engine.
  std::string engine;
  sim::ParseHex(agent.EngineIdHex(), engine);
  store.Put({1, 3, 6, 1, 6, 3, 10, 2, 1, 1, 0}, sim::Value::Octets(engine));
  store.Put({1, 3, 6, 1, 6, 3, 10, 2, 1, 2, 0}, sim::Value::Int(agent.EngineBoots()));
  store.SaveSeed();

  bool stop = false;
  sim::ControlChannel channel(
      store, behaviour,
      sim::ControlHooks{
          [&] { agent.ReleaseHeld(); },
          [&](const std::string& path, std::string& err) { return log.Open(path, err); },
          [&] { stop = true; }, [&] { return agent.Waiting(); }});
  sim::ControlServer control(agent, channel);
  if (!options.controlSocket.empty() && !control.Listen(options.controlSocket, error)) {
    std::cerr << "kxr-simulator: " << error << "\n";
    return 1;
  }
  if (options.controlStdin) control.UseStdin();

  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) {
    std::cerr << "kxr-simulator: pipe failed\n";
    return 1;
  }
  g_wakeFd = pipeFds[1];
  agent.Watch(pipeFds[0], [&] {
    char buf[16];
    while (::read(pipeFds[0], buf, sizeof buf) > 0) {
    }
  });
  struct sigaction sa {};
  sa.sa_handler = OnSignal;
  sigemptyset(&sa.sa_mask);
  sigaction(SIGTERM, &sa, nullptr);
  sigaction(SIGINT, &sa, nullptr);
  signal(SIGPIPE, SIG_IGN);

  std::cout << "kxr-simulator: KXR-5810 agent listening on udp:" << options.agent.address << ":"
            << agent.Port() << " (pid " << ::getpid() << ")\n"
            << "  communities: read \"" << options.agent.readCommunity << "\", write \""
            << options.agent.writeCommunity << "\"\n"
            << "  v3 engine id " << agent.EngineIdHex() << ", context \"" << options.agent.context
            << "\" besides the default one; users:\n";
  for (const auto& u : options.agent.users) std::cout << "    " << sim::V3UserOptionText(u) << "\n";
  if (!options.controlSocket.empty())
    std::cout << "  control socket: " << options.controlSocket << "\n";
  if (options.controlStdin) std::cout << "  control commands on standard input (try: help)\n";
  std::cout << "  " << store.Size() << " instances served; try: snmpwalk -v2c -c "
            << options.agent.readCommunity << " " << options.agent.address << ":" << agent.Port()
            << " 1.3.6.1.4.1.171\n"
            << std::flush;
  // Readers never see half a file.
  if (!options.portFile.empty() &&
      !sim::WriteStateFile(options.portFile, std::to_string(agent.Port()) + "\n", error)) {
    std::cerr << "kxr-simulator: " << error << "\n";
    return 1;
  }

  while (!stop && !g_signalled) agent.RunOnce();

  control.Close();
  agent.Unwatch(pipeFds[0]);
  agent.Shutdown();
  g_wakeFd = -1;
  ::close(pipeFds[0]);
  ::close(pipeFds[1]);
  if (!options.turnaroundFile.empty() && !times.Write(options.turnaroundFile, error)) {
    std::cerr << "kxr-simulator: " << error << "\n";
    return 1;
  }
  std::cout << "kxr-simulator: stopped\n" << std::flush;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const sim::FixtureError& e) {
    std::cerr << "kxr-simulator: " << e.what() << "\n";
    return 2;
  } catch (const std::exception& e) {
    std::cerr << "kxr-simulator: " << e.what() << "\n";
    return 1;
  }
}
