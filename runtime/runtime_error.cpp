#include "runtime/runtime_error.h"

#include <utility>

namespace tarvex::runtime {

std::string DescriptionOf(int number) {
  switch (number) {
    case kInvalidProcedureCall:
      return "プロシージャの呼び出し、または引数が正しくありません。";
    case kOverflow:
      return "オーバーフローしました。";
    case kOutOfMemory:
      return "メモリが不足しています。";
    case kSubscriptOutOfRange:
      return "インデックスが有効範囲にありません。";
    case kTypeMismatch:
      return "型が一致しません。";
    case kDllNotFound:
      return "DLL を読み込めません。";
    case kBadFileNameOrNumber:
      return "ファイル名またはファイル番号が正しくありません。";
    case kFileNotFound:
      return "ファイルが見つかりません。";
    case kDeviceIoError:
      return "デバイス入出力エラーが発生しました。";
    case kDiskFull:
      return "ディスクの空き容量が不足しています。";
    case kBadFileName:
      return "ファイル名が正しくありません。";
    case kDeviceUnavailable:
      return "デバイスを使用できません。";
    case kPermissionDenied:
      return "アクセスが拒否されました。";
    case kPathFileAccessError:
      return "パスまたはファイルにアクセスできません。";
    case kPathNotFound:
      return "パスが見つかりません。";
    case kInvalidPropertyValue:
      return "プロパティの値が正しくありません。";
    case kEntryPointNotFound:
      return "DLL のエントリ ポイントが見つかりません。";
    default:
      return "エラー番号 " + std::to_string(number) + " の実行時エラーが発生しました。";
  }
}

namespace {

std::string ReportText(int number, const std::string& description, const std::string& subject) {
  std::string report = "実行時エラー " + std::to_string(number) + ": " + description;
  if (!subject.empty()) {
    report += " (" + subject + ")";
  }
  return report;
}

}  // namespace

RuntimeError::RuntimeError(int number, std::string subject)
    : number_(number),
      description_(DescriptionOf(number)),
      subject_(std::move(subject)),
      report_(ReportText(number_, description_, subject_)) {}

}  // namespace tarvex::runtime
