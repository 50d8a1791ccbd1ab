#include "app/duplication_commands.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "app/main_window_operations.h"
#include "model/cp1252.h"
#include "model/duplication.h"
#include "model/gradebook.h"
#include "platform/message_service.h"

namespace vellanor {
namespace {

using platform::MessageIcon;

void RefuseAtLimit(MainWindowOperations& main, const std::string& text) {
  main.GetServices().messages.Inform(text, "Attention", MessageIcon::Exclamation);
}

std::string ClassLimitText(const ClassRecord& record) {
  return "Impossible de dupliquer la classe <" + Cp1252ToUtf8(record.name.View()) +
         ">:\nle nombre de classes est limité à 32767.";
}

std::string StudentLimitText(const ClassRecord& record, const StudentRecord& student) {
  return "Impossible de dupliquer l'élève <" + Cp1252ToUtf8(student.name.View()) + ", " +
         Cp1252ToUtf8(student.firstName.View()) + ">:\nla classe <" +
         Cp1252ToUtf8(record.name.View()) + "> compte déjà 32767 élèves.";
}

}  // namespace

void DuplicateClass(MainWindowOperations& main, const TreeSelection& selection) {
  if (!selection.IsClass()) {
    return;
  }
  Gradebook& book = main.GetGradebook();
  const ClassRecord* source = ClassAt(book, selection.classPosition);
  if (source == nullptr) {
    return;
  }
  if (book.classes.size() >= static_cast<std::size_t>(kMaxCount)) {
    RefuseAtLimit(main, ClassLimitText(*source));
    return;
  }
  const std::string question = "Etes vous sûr de vouloir dupliquer la classe <" +
                               Cp1252ToUtf8(source->name.View()) + "> de <" +
                               Cp1252ToUtf8(source->year.View()) + ">?";
  if (!main.GetServices().messages.AskYesNo(question, "Attention!")) {
    return;
  }
  ClassRecord copy = CopyOfClass(*source);
  if (AppendClass(book, std::move(copy)) != AppendResult::Done) {
    RefuseAtLimit(main, ClassLimitText(*ClassAt(book, selection.classPosition)));
    return;
  }
  main.Commit({ChangeKind::ClassDuplicated, selection.classPosition,
                     DescribeClassChange(ChangeKind::ClassDuplicated, book.classes.back())});
}

void DuplicateStudent(MainWindowOperations& main, const TreeSelection& selection) {
  if (selection.IsClass()) {
    main.GetServices().messages.Inform("Sélectionner un élève, s'il vous plaît", "Erreur",
                                       MessageIcon::Exclamation);
    return;
  }
  ClassRecord* record = ClassAt(main.GetGradebook(), selection.classPosition);
  if (!selection.IsStudent() || record == nullptr) {
    return;
  }
  const StudentRecord* source = StudentAt(*record, selection.studentPosition);
  if (source == nullptr) {
    return;
  }
  if (record->students.size() >= static_cast<std::size_t>(kMaxCount) ||
      record->studentCount >= kMaxCount) {
    RefuseAtLimit(main, StudentLimitText(*record, *source));
    return;
  }
  const std::string question = "Etes vous sûr de vouloir dupliquer l'élève <" +
                               Cp1252ToUtf8(source->name.View()) + ", " +
                               Cp1252ToUtf8(source->firstName.View()) + ">\nde la classe <" +
                               Cp1252ToUtf8(record->name.View()) + ">?";
  if (!main.GetServices().messages.AskYesNo(question, "Attention!")) {
    return;
  }
  StudentRecord copy = CopyOfStudent(*source);
  if (AppendStudent(*record, std::move(copy)) != AppendResult::Done) {
    RefuseAtLimit(main, StudentLimitText(*record, *StudentAt(*record, selection.studentPosition)));
    return;
  }
  main.Commit(
      {ChangeKind::StudentDuplicated, selection.classPosition,
       DescribeStudentChange(ChangeKind::StudentDuplicated, record->students.back())});
}

}  // namespace vellanor
