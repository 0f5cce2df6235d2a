#pragma once
// Points the registry file at a test's own directory through
// XDG_CONFIG_HOME, and puts the old environment back afterwards.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "tests/unit/posix/scratch_dir.h"

namespace tarvex::testing {

class RegistryEnvironment : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* old = std::getenv("XDG_CONFIG_HOME")) saved_ = old;
    ::setenv("XDG_CONFIG_HOME", dir_.path().c_str(), 1);
  }
  void TearDown() override {
    if (saved_) {
      ::setenv("XDG_CONFIG_HOME", saved_->c_str(), 1);
    } else {
      ::unsetenv("XDG_CONFIG_HOME");
    }
  }

  std::string RegistryPath() const { return dir_.File("tarvex/registry.reg"); }

  void WriteRegistry(std::string_view text) const {
    std::filesystem::create_directories(dir_.File("tarvex"));
    dir_.Write("tarvex/registry.reg", text);
  }

  std::string ReadRegistry() const { return dir_.Read("tarvex/registry.reg"); }

  ScratchDir dir_;

 private:
  std::optional<std::string> saved_;
};

}  // namespace tarvex::testing
