#pragma once

#include <QString>

#include "model/records.h"

namespace vellanor {

class MainWindowOperations;

namespace widgets {
class ComboList;
}

// The lists of classes and students every window shows, and the record a
// list names. A list names a class or a student by its position, which is
// that record's position in the gradebook; the position comes from
// widgets::ComboList::Position(), so a text typed over an editable list that
// names no entry names no record, and the window then acts on nothing.
//
// Also the messages the record windows share: a record past the 32767 limit,
// and a typed text the file cannot hold.

// "name (year)", or "name, (year)" with `commaBeforeYear`.
QString ClassEntryText(const ClassRecord& record, bool commaBeforeYear);
// "name, first name".
QString StudentEntryText(const StudentRecord& student);

// Empties a list and lists every class in gradebook order, the first one
// chosen. The list changes quietly: no currentIndexChanged reaches the window.
void FillClassList(widgets::ComboList& list, const Gradebook& book, bool commaBeforeYear);
// Empties a list and lists the students of `record` (none for nullptr), the
// first one chosen; quietly too.
void FillStudentList(widgets::ComboList& list, const ClassRecord* record);

// The class a list names, or nullptr.
ClassRecord* ClassNamedBy(Gradebook& book, const widgets::ComboList& list);
// The student of `record` a list names, or nullptr (also for a null record).
StudentRecord* StudentNamedBy(ClassRecord* record, const widgets::ComboList& list);

// "Attention" messages for a class or a student the gradebook cannot take.
void RefuseNewClass(MainWindowOperations& main, const QString& name);
void RefuseNewStudent(MainWindowOperations& main, const ClassRecord& record, const QString& name,
                      const QString& firstName);

// True when the file can hold `text` as typed. Otherwise says which
// characters of the field `fieldName` it cannot hold ("Attention") and
// returns false: nothing is stored, and the window stays open for the
// teacher to correct the text.
bool CheckStorable(MainWindowOperations& main, const QString& text, const QString& fieldName);

}  // namespace vellanor
