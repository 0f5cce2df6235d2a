#pragma once
// Names parameterised cases after their `name` field, or the first element of
// a tuple, and prints a struct case as its name in failure messages.

#include <ostream>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

namespace tarvex::testing {

struct CaseName {
  template <class Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
    if constexpr (requires { info.param.name; }) {
      return std::string(info.param.name);
    } else {
      return std::string(std::get<0>(info.param));
    }
  }
};

// For a case struct whose first member is `const char* name`.
#define TARVEX_PRINT_CASE_AS_NAME(Case)                  \
  inline void PrintTo(const Case& c, std::ostream* os) { \
    *os << c.name;                                       \
  }

}  // namespace tarvex::testing
