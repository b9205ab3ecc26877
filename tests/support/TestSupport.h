#pragma once
// Shared pieces of the tests: a private temporary folder and a recorder of message boxes.

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "untNivraUtil.h"

namespace candora::testing {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempDir {
public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "candora-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string file(const std::string& name) const { return (path_ / name).string(); }

  // Writes `content` as is and returns the file's path.
  std::string write(const std::string& name, const std::string& content) const {
    const auto p = path_ / name;
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << content;
    return p.string();
  }

private:
  std::filesystem::path path_;
};

// Records every message box shown while it lives instead of showing it.
class MessageRecorder {
public:
  MessageRecorder() {
    previous_ = setMessageHandler([this](const std::string& text) { messages.push_back(text); });
  }
  ~MessageRecorder() { setMessageHandler(previous_); }
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;

  std::vector<std::string> messages;

private:
  MessageHandler previous_;
};

}  // namespace candora::testing
