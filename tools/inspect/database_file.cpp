#include "database_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>

#include "model/database_messages.h"
#include "model/gradebook.h"

namespace vellanor::inspect {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

class FileSource : public ByteSource {
 public:
  explicit FileSource(std::FILE* file) : file_(file) {}
  std::size_t Read(std::uint8_t* buffer, std::size_t size) override {
    return std::fread(buffer, 1, size, file_);  // a read error ends the file, as in the program
  }

 private:
  std::FILE* file_;
};

}  // namespace

FileReadResult ReadDatabaseFile(const std::string& path, Gradebook& book) {
  ClearGradebook(book);
  return ReadDatabaseClasses(
      path, [&book](ClassRecord&& record) { book.classes.push_back(std::move(record)); });
}

FileReadResult ReadDatabaseClasses(const std::string& path,
                                   const std::function<void(ClassRecord&&)>& onClass) {
  FileReadResult result;
  errno = 0;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    result.systemMessage = std::strerror(errno);
    result.status = errno == ENOENT || errno == ENOTDIR ? FileReadResult::Status::Missing
                                                        : FileReadResult::Status::Unreadable;
    return result;
  }
  FileSource source(file.get());
  result.error = DecodeDatabaseClasses(source, onClass);
  if (result.error != DbReadError::None) {
    result.status = FileReadResult::Status::Refused;
  }
  return result;
}

bool ReportRead(const FileReadResult& read, const std::string& path, std::ostream& err) {
  switch (read.status) {
    case FileReadResult::Status::Missing:
      err << "vellanor-inspect: " << path << ": no such file\n";
      return false;
    case FileReadResult::Status::Unreadable:
      // The program refuses a file it cannot open, as a file without a header.
      err << ReadErrorMessage(DbReadError::Header) << "\n";
      return false;
    case FileReadResult::Status::Refused:
      err << ReadErrorMessage(read.error) << "\n";
      return false;
    case FileReadResult::Status::Read:
      break;
  }
  return true;
}

bool ReadOrReport(const std::string& path, Gradebook& book, std::ostream& err) {
  return ReportRead(ReadDatabaseFile(path, book), path, err);
}

}  // namespace vellanor::inspect
