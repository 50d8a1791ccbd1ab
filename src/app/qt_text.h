#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <QString>

#include "model/cp1252.h"
#include "model/text_field.h"

namespace vellanor {

// The user interface's side of the one Windows-1252 conversion: records hold
// Windows-1252 bytes, widgets show QStrings.

inline QString ToQString(std::string_view cp1252) {
  return QString::fromStdString(Cp1252ToUtf8(cp1252));
}

template <std::size_t N>
QString ToQString(const TextField<N>& field) {
  return ToQString(field.View());
}

// Characters that Windows-1252 lacks become '?'. A letter typed as a base
// letter and a combining accent (as some keyboards and pastes give it) is
// first made the one accented letter the file can hold.
inline std::string ToCp1252(const QString& text) {
  return Utf8ToCp1252(text.normalized(QString::NormalizationForm_C).toStdString());
}

// The characters of a typed text that Windows-1252 lacks (see ToCp1252).
inline std::vector<std::string> UnstorableCharacters(const QString& text) {
  return CharactersOutsideCp1252(text.normalized(QString::NormalizationForm_C).toStdString());
}

// Stores a typed text in a field, cut to the field's width in characters.
template <std::size_t N>
void AssignText(TextField<N>& field, const QString& text) {
  field.Assign(ToCp1252(text));
}

}  // namespace vellanor
