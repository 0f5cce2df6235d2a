#include "platform/win32/settings_files.h"

#include <windows.h>

#include <shlobj.h>

#include <array>

#include "platform/win32/process_services.h"
#include "platform/win32/wide_text.h"

namespace tarvex::platform::win32 {

namespace {

using FolderCall = UINT(WINAPI*)(LPWSTR, UINT);

std::wstring FolderFrom(FolderCall call) {
  std::wstring folder(MAX_PATH, L'\0');
  const UINT length = call(folder.data(), static_cast<UINT>(folder.size()));
  folder.resize(length < folder.size() ? length : 0);
  return folder;
}

// The full, long form without a trailing backslash, for comparing: a saver
// started from the registry may be named by its short path.
std::wstring Comparable(const std::wstring& path) {
  std::wstring full(MAX_PATH, L'\0');
  DWORD length =
      GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (length == 0 || length >= full.size()) return path;
  full.resize(length);
  std::wstring longForm(MAX_PATH, L'\0');
  length = GetLongPathNameW(full.c_str(), longForm.data(), static_cast<DWORD>(longForm.size()));
  if (length > 0 && length < longForm.size()) full.assign(longForm.data(), length);
  while (full.size() > 3 && full.back() == L'\\') full.pop_back();
  return full;
}

bool SameFolder(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                              static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// A drive root already ends in its backslash.
std::string InFolder(const std::string& directory, const std::string& name) {
  return directory.ends_with('\\') ? directory + name : directory + '\\' + name;
}

std::wstring RoamingAppData() {
  PWSTR path = nullptr;
  std::wstring folder;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_CREATE, nullptr, &path))) {
    folder = path;
  }
  CoTaskMemFree(path);
  return folder;
}

// True when this user can make a file in `directory`, as a save must.
bool FolderWritable(const std::string& directory) {
  // Made and gone in one step: the system deletes the probe as it is closed,
  // even when the process dies first.
  const std::wstring probe = Utf16(
      InFolder(directory, "tarvex-write-test-" + std::to_string(GetCurrentProcessId()) + ".tmp"));
  const HANDLE file = CreateFileW(
      probe.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
      FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

}  // namespace

bool IsSystemFolder(const std::string& directory) {
  const std::array<FolderCall, 4> kFolders = {GetWindowsDirectoryW, GetSystemWindowsDirectoryW,
                                              GetSystemDirectoryW, GetSystemWow64DirectoryW};
  const std::wstring folder = Comparable(Utf16(directory));
  for (const FolderCall call : kFolders) {
    const std::wstring system = FolderFrom(call);  // empty where the system has no such folder
    if (!system.empty() && SameFolder(folder, Comparable(system))) return true;
  }
  return false;
}

SettingsFiles SettingsFilesFor(const std::string& programDirectory) {
  if (!IsSystemFolder(programDirectory) && FolderWritable(programDirectory)) return {};
  const std::wstring appData = RoamingAppData();
  if (appData.empty()) return {};
  const std::wstring userFolder = appData + L"\\tarvex";
  CreateDirectoryW(userFolder.c_str(), nullptr);  // fails harmlessly when it exists
  const std::string user = Utf8(userFolder + L"\\tarvex.ini");
  // No normal file is found under a name the code page cannot hold: one the
  // profile calls could not read, so the packaged file is read instead.
  return {NormalFileExists(user) ? user : InFolder(programDirectory, "tarvex.ini"), user};
}

}  // namespace tarvex::platform::win32
