#include "app/backup_names.h"

#include <algorithm>
#include <cstdio>
#include <tuple>

#include "model/cp1252.h"

namespace vellanor {
namespace {

constexpr std::size_t kTimeLength = 16;  // "2026-12-08_14h05"
constexpr std::size_t kLongestRecordName = 48;
constexpr std::string_view kExtension = ".db";

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Letters and digits of Windows-1252: ASCII, the accented letters from 0xC0
// (but × and ÷) and Š Œ Ž š œ ž Ÿ.
bool IsLetterOrDigit(unsigned char c) {
  if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
    return true;
  }
  if (c >= 0xC0) {
    return c != 0xD7 && c != 0xF7;
  }
  switch (c) {
    case 0x8A:
    case 0x8C:
    case 0x8E:
    case 0x9A:
    case 0x9C:
    case 0x9E:
    case 0x9F:
      return true;
    default:
      return false;
  }
}

// Letters and digits kept, every other run of characters one '-', none at
// either end; at most `longest` characters.
std::string Sanitised(std::string_view cp1252, std::size_t longest) {
  std::string kept;
  for (const char c : cp1252) {
    if (IsLetterOrDigit(static_cast<unsigned char>(c))) {
      if (kept.size() == longest) {
        break;
      }
      kept += c;
    } else if (!kept.empty() && kept.back() != '-') {
      kept += '-';
    }
  }
  while (!kept.empty() && kept.back() == '-') {
    kept.pop_back();
  }
  return Cp1252ToUtf8(kept);
}

}  // namespace

std::string BackupFileName(const platform::LocalDateTime& when, std::string_view operation,
                           std::string_view recordName, int attempt) {
  char time[32];
  std::snprintf(time, sizeof time, "%04d-%02u-%02u_%02dh%02d", static_cast<int>(when.date.year()),
                static_cast<unsigned>(when.date.month()), static_cast<unsigned>(when.date.day()),
                when.hour, when.minute);
  std::string name = std::string(time) + '_' + Sanitised(operation, kLongestRecordName);
  const std::string record = Sanitised(recordName, kLongestRecordName);
  if (!record.empty()) {
    name += '-' + record;
  }
  if (attempt > 1) {
    name += '-' + std::to_string(attempt);
  }
  return name + std::string(kExtension);
}

bool IsBackupFileName(std::string_view name) {
  if (name.size() <= kTimeLength + 1 + kExtension.size() || !name.ends_with(kExtension) ||
      name[kTimeLength] != '_') {
    return false;
  }
  constexpr std::string_view kPattern = "dddd-dd-dd_ddhdd";
  for (std::size_t i = 0; i < kTimeLength; ++i) {
    if (kPattern[i] == 'd' ? !IsDigit(name[i]) : name[i] != kPattern[i]) {
      return false;
    }
  }
  return true;
}

bool MadeBefore(const BackupFile& a, const BackupFile& b) {
  const auto key = [](const BackupFile& file) {
    return std::make_tuple(file.modified, std::string_view(file.name).substr(0, kTimeLength),
                           file.name.size(), std::string_view(file.name));
  };
  return key(a) < key(b);
}

std::vector<std::string> BackupsToRemove(std::vector<BackupFile> files, std::size_t keep,
                                         std::string_view justMade) {
  std::erase_if(files, [justMade](const BackupFile& file) {
    return !IsBackupFileName(file.name) || file.name == justMade;
  });
  if (!justMade.empty() && keep > 0) {
    --keep;  // the copy just made is one of those kept, whatever its time
  }
  if (files.size() <= keep) {
    return {};
  }
  std::sort(files.begin(), files.end(), MadeBefore);
  std::vector<std::string> oldest;
  for (std::size_t i = 0; i + keep < files.size(); ++i) {
    oldest.push_back(files[i].name);
  }
  return oldest;
}

}  // namespace vellanor
