// Start-up of the window: time from process start until the window has painted,
// and the process's peak memory, for Spekulor's window beside an empty Qt dialog,
// on Qt's offscreen platform and on an X server (Xvfb, started here when it is
// installed). Each iteration is one process: spawned, timed until it reports its
// first paint, then waited for.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace {

std::string g_display;  // ":N" of the Xvfb started by main, empty without one
pid_t g_xvfb = -1;

struct Launch {
  bool ok = false;
  double secondsToShown = 0;
  double peakMegabytes = 0;
};

Launch LaunchProbe(const char* mode, const char* platform, const std::string& display) {
  Launch launch;
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return launch;

  std::vector<std::string> envStrings;
  for (char** e = environ; *e != nullptr; ++e) {
    if (std::strncmp(*e, "QT_QPA_PLATFORM=", 16) != 0 && std::strncmp(*e, "DISPLAY=", 8) != 0) {
      envStrings.emplace_back(*e);
    }
  }
  envStrings.push_back(std::string("QT_QPA_PLATFORM=") + platform);
  if (!display.empty()) envStrings.push_back("DISPLAY=" + display);
  std::vector<char*> env;
  for (std::string& s : envStrings) env.push_back(s.data());
  env.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::string path = SPEKULOR_STARTUP_PROBE;
  std::string modeArg = mode;
  char* argv[] = {path.data(), modeArg.data(), nullptr};

  const auto start = std::chrono::steady_clock::now();
  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, env.data());
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[1]);
  if (spawned != 0) {
    close(pipeFds[0]);
    return launch;
  }

  std::string output;
  char buffer[64];
  ssize_t got;
  bool shown = false;
  while (!shown && (got = read(pipeFds[0], buffer, sizeof buffer)) > 0) {
    output.append(buffer, static_cast<std::size_t>(got));
    shown = output.find("shown\n") != std::string::npos;
  }
  const auto seen = std::chrono::steady_clock::now();
  close(pipeFds[0]);

  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  launch.ok = shown && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  launch.secondsToShown = std::chrono::duration<double>(seen - start).count();
  launch.peakMegabytes = static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB
  return launch;
}

// Each repetition launches an empty dialog, a dialog with one label and then the
// window, one right after the other, so all meet the same load on the machine.
// The manual time is the window's; the counters carry all three, and their median
// aggregates are the figures to compare.
void RunStartupPair(benchmark::State& state, const char* platform, bool needsDisplay) {
  if (needsDisplay && g_display.empty()) {
    state.SkipWithError("Xvfb is not installed (apt-get install xvfb)");
    return;
  }
  const std::string display = needsDisplay ? g_display : std::string();
  for (auto _ : state) {
    const Launch empty = LaunchProbe("empty", platform, display);
    const Launch label = LaunchProbe("label", platform, display);
    const Launch window = LaunchProbe("window", platform, display);
    if (!empty.ok || !label.ok || !window.ok) {
      state.SkipWithError("a probe did not show its window");
      return;
    }
    state.SetIterationTime(window.secondsToShown);
    state.counters["empty_ms"] = empty.secondsToShown * 1e3;
    state.counters["window_ms"] = window.secondsToShown * 1e3;
    state.counters["time_ratio"] = window.secondsToShown / empty.secondsToShown;
    state.counters["label_ms"] = label.secondsToShown * 1e3;
    state.counters["empty_MB"] = empty.peakMegabytes;
    state.counters["window_MB"] = window.peakMegabytes;
    state.counters["memory_ratio"] = window.peakMegabytes / empty.peakMegabytes;
  }
}

void BM_StartupOffscreen(benchmark::State& state) { RunStartupPair(state, "offscreen", false); }
void BM_StartupXvfb(benchmark::State& state) { RunStartupPair(state, "xcb", true); }

// One pair per repetition, so the median aggregates are medians over launches.
BENCHMARK(BM_StartupOffscreen)->UseManualTime()->Iterations(1)->Repetitions(21)
    ->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartupXvfb)->UseManualTime()->Iterations(1)->Repetitions(21)
    ->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

// Starts Xvfb on a free display when it is installed; sets g_display.
void StartXvfb() {
  if (access("/usr/bin/Xvfb", X_OK) != 0) return;
  int fds[2];
  if (pipe(fds) != 0) return;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 3);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  char arg0[] = "/usr/bin/Xvfb", arg1[] = "-displayfd", arg2[] = "3", arg3[] = "-screen",
       arg4[] = "0", arg5[] = "1024x768x24", arg6[] = "-nolisten", arg7[] = "tcp";
  char* argv[] = {arg0, arg1, arg2, arg3, arg4, arg5, arg6, arg7, nullptr};
  if (posix_spawn(&g_xvfb, arg0, &actions, nullptr, argv, environ) != 0) g_xvfb = -1;
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  // Xvfb writes the number and its line feed separately: read up to the line feed,
  // or closing the pipe early would kill it with SIGPIPE.
  std::string number;
  char c = 0;
  while (g_xvfb > 0 && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
  close(fds[0]);
  if (!number.empty()) g_display = ":" + std::to_string(std::atoi(number.c_str()));
}

}  // namespace

int main(int argc, char** argv) {
  StartXvfb();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (g_xvfb > 0) {
    kill(g_xvfb, SIGTERM);
    waitpid(g_xvfb, nullptr, 0);
  }
  return 0;
}
