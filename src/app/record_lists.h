#pragma once

#include <QString>

#include "model/records.h"

class QComboBox;

namespace vellanor {

class MainWindowOperations;

// The texts and lists the record dialogs share: classes and students named in
// combo boxes, and the refusal of a record past the 32767 limit.

// "name (year)", or "name, (year)" with `commaBeforeYear`.
QString ClassEntryText(const ClassRecord& record, bool commaBeforeYear);
// "name, first name".
QString StudentEntryText(const StudentRecord& student);

// Empties a combo box and lists every class in gradebook order.
void FillClassList(QComboBox& list, const Gradebook& book, bool commaBeforeYear);
// Empties a combo box and lists the students of `record` (none for nullptr);
// the first one is selected.
void FillStudentList(QComboBox& list, const ClassRecord* record);

// "Attention" messages for a class or a student the gradebook cannot take.
void RefuseNewClass(MainWindowOperations& main, const QString& name);
void RefuseNewStudent(MainWindowOperations& main, const ClassRecord& record, const QString& name,
                      const QString& firstName);

}  // namespace vellanor
