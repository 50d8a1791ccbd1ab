#include "app/record_lists.h"

#include <string>
#include <vector>

#include <QSignalBlocker>

#include "app/main_window_operations.h"
#include "app/qt_text.h"
#include "app/record_labels.h"
#include "model/gradebook.h"
#include "platform/message_service.h"
#include "widgets/combo_list.h"

namespace vellanor {

QString ClassEntryText(const ClassRecord& record, bool commaBeforeYear) {
  return QString::fromStdString(commaBeforeYear ? ClassLabelWithComma(record) : ClassLabel(record));
}

QString StudentEntryText(const StudentRecord& student) {
  return QString::fromStdString(StudentLabel(student));
}

void FillClassList(widgets::ComboList& list, const Gradebook& book, bool commaBeforeYear) {
  const QSignalBlocker quiet(list);
  list.clear();
  // Inserted at their positions, never sorted: a list position is a
  // gradebook position.
  for (const ClassRecord& record : book.classes) {
    list.addItem(ClassEntryText(record, commaBeforeYear));
  }
  list.SetPosition(0);
}

void FillStudentList(widgets::ComboList& list, const ClassRecord* record) {
  const QSignalBlocker quiet(list);
  list.clear();
  if (record != nullptr) {
    for (const StudentRecord& student : record->students) {
      list.addItem(StudentEntryText(student));
    }
  }
  list.SetPosition(0);
}

ClassRecord* ClassNamedBy(Gradebook& book, const widgets::ComboList& list) {
  return ClassAt(book, list.Position());
}

StudentRecord* StudentNamedBy(ClassRecord* record, const widgets::ComboList& list) {
  return record == nullptr ? nullptr : StudentAt(*record, list.Position());
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

bool CheckStorable(MainWindowOperations& main, const QString& text, const QString& fieldName) {
  const std::vector<std::string> missing = UnstorableCharacters(text);
  if (missing.empty()) {
    return true;
  }
  QStringList characters;
  for (const std::string& character : missing) {
    characters << QString::fromStdString(character);
  }
  const QString message = QStringLiteral(
                              "Le champ <%1> contient des caractères que la base de données ne "
                              "peut pas enregistrer : %2\nCorrigez-le s'il vous plaît.")
                              .arg(fieldName, characters.join(QStringLiteral(" ")));
  main.GetServices().messages.Inform(message.toStdString(), "Attention",
                                     platform::MessageIcon::Exclamation);
  return false;
}

}  // namespace vellanor
