#pragma once
// Runs the candora-data executable the build made, as a user would, and captures what it says.

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace candora::testing {

struct ToolRun {
  int status = -1;
  std::string out, err;
};

inline std::string shellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

inline ToolRun runTool(const std::vector<std::string>& args) {
  const TempDir scratch;
  std::string command = shellQuoted(CANDORA_DATA_TOOL);
  for (const std::string& a : args) command += " " + shellQuoted(a);
  command += " 2>" + shellQuoted(scratch.file("stderr"));
  ToolRun run;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[65536];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
  const int raw = ::pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  std::ifstream err(scratch.file("stderr"));
  std::stringstream text;
  text << err.rdbuf();
  run.err = text.str();
  return run;
}

inline std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace candora::testing
