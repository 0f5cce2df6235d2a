#pragma once
// Run-time errors of the program: a number and a Japanese description, as the
// error report shows them. Raised by the runtime helpers and the platform
// bindings; caught by Main's error report and by the skip-on-failure handlers.

#include <exception>
#include <string>

namespace tarvex::runtime {

// The numbers the program can raise. Descriptions come from DescriptionOf().
enum ErrorNumber : int {
  kInvalidProcedureCall = 5,
  kOverflow = 6,
  kOutOfMemory = 7,
  kSubscriptOutOfRange = 9,
  kTypeMismatch = 13,
  kDllNotFound = 48,
  kBadFileNameOrNumber = 52,
  kFileNotFound = 53,
  kDeviceIoError = 57,
  kDiskFull = 61,
  kBadFileName = 64,
  kDeviceUnavailable = 68,
  kPermissionDenied = 70,
  kPathFileAccessError = 75,
  kPathNotFound = 76,
  kInvalidPropertyValue = 380,
  kEntryPointNotFound = 453,
};

// Japanese description of a run-time error number ("" never: unknown
// numbers get a generic description that still names the number).
std::string DescriptionOf(int number);

class RuntimeError : public std::exception {
 public:
  // `subject` is the file or entry point the error is about, shown in the report.
  explicit RuntimeError(int number, std::string subject = {});

  int number() const noexcept { return number_; }
  const std::string& description() const noexcept { return description_; }
  const std::string& subject() const noexcept { return subject_; }

  // The whole report text: number, description and, when set, the subject.
  const char* what() const noexcept override { return report_.c_str(); }

 private:
  int number_;
  std::string description_;
  std::string subject_;
  std::string report_;
};

}  // namespace tarvex::runtime
