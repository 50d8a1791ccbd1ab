#include "dialogs/record_lists.h"

#include <QComboBox>

#include "app/main_window_operations.h"
#include "app/qt_text.h"
#include "app/record_labels.h"
#include "platform/message_service.h"

namespace vellanor {

QString ClassEntryText(const ClassRecord& record, bool commaBeforeYear) {
  return QString::fromStdString(commaBeforeYear ? ClassLabelWithComma(record) : ClassLabel(record));
}

QString StudentEntryText(const StudentRecord& student) {
  return QString::fromStdString(StudentLabel(student));
}

void FillClassList(QComboBox& list, const Gradebook& book, bool commaBeforeYear) {
  list.clear();
  for (const ClassRecord& record : book.classes) {
    list.addItem(ClassEntryText(record, commaBeforeYear));
  }
}

void FillStudentList(QComboBox& list, const ClassRecord* record) {
  list.clear();
  if (record != nullptr) {
    for (const StudentRecord& student : record->students) {
      list.addItem(StudentEntryText(student));
    }
  }
  list.setCurrentIndex(list.count() > 0 ? 0 : -1);
}

void RefuseNewClass(MainWindowOperations& main, const QString& name) {
  const QString text = QStringLiteral(
                           "Impossible de créer la classe <%1>:\nle nombre de classes est "
                           "limité à 32767.")
                           .arg(name);
  main.GetServices().messages.Inform(text.toStdString(), "Attention",
                                     platform::MessageIcon::Exclamation);
}

void RefuseNewStudent(MainWindowOperations& main, const ClassRecord& record, const QString& name,
                      const QString& firstName) {
  const QString text =
      QStringLiteral(
          "Impossible de créer l'élève <%1, %2>:\nla classe <%3> compte déjà 32767 élèves.")
          .arg(name, firstName, ToQString(record.name));
  main.GetServices().messages.Inform(text.toStdString(), "Attention",
                                     platform::MessageIcon::Exclamation);
}

}  // namespace vellanor
