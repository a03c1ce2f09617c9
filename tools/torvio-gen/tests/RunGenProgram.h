// Runs torvio-gen with its arguments passed as they are (no shell) and a
// time limit, so that a blocked open fails the test instead of hanging it.
// Start() and Finish() apart let two runs overlap. RunGenShell() takes a
// command line for tests that quote their own paths.
#pragma once

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace gentest {

struct Outcome {
  int code = -1; // -1: did not end in time
  std::string output;
};

struct Started {
  pid_t child = -1;
  int output = -1; // read end of the program's stdout and stderr
};

inline Started Start(const std::filesystem::path &workDir,
                     const std::vector<std::string> &arguments) {
  int pipeFds[2];
  if (::pipe(pipeFds) != 0)
    return {};
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(pipeFds[1], STDOUT_FILENO);
    ::dup2(pipeFds[1], STDERR_FILENO);
    ::close(pipeFds[0]);
    if (::chdir(workDir.c_str()) != 0)
      ::_exit(127);
    std::vector<char *> argv{const_cast<char *>(TORVIO_GEN)};
    for (const std::string &a : arguments)
      argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(TORVIO_GEN, argv.data());
    ::_exit(127);
  }
  ::close(pipeFds[1]);
  return {child, pipeFds[0]};
}

inline Outcome Finish(const Started &started) {
  Outcome outcome;
  if (started.child < 0)
    return outcome;
  // Read while waiting; give up after 30 s.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(started.output, buffer, sizeof buffer);
    if (n <= 0)
      break;
    outcome.output.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(started.output);
  int status = 0;
  while (::waitpid(started.child, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(started.child, SIGKILL);
      ::waitpid(started.child, &status, 0);
      return outcome;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  outcome.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return outcome;
}

inline Outcome RunGen(const std::filesystem::path &workDir,
                      const std::vector<std::string> &arguments) {
  return Finish(Start(workDir, arguments));
}

// `torvio-gen <arguments> 2>&1` through the shell.
inline Outcome RunGenShell(const std::string &arguments) {
  const std::string command = std::string(TORVIO_GEN) + " " + arguments + " 2>&1";
  Outcome outcome;
  std::FILE *pipe = ::popen(command.c_str(), "r");
  if (!pipe)
    return outcome;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    outcome.output.append(buffer, n);
  const int status = ::pclose(pipe);
  outcome.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return outcome;
}

} // namespace gentest
