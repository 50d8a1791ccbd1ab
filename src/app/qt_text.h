#pragma once

#include <string>
#include <string_view>

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

// Characters that Windows-1252 lacks become '?'.
inline std::string ToCp1252(const QString& text) {
  return Utf8ToCp1252(text.toStdString());
}

// Stores a typed text in a field, cut to the field's width in characters.
template <std::size_t N>
void AssignText(TextField<N>& field, const QString& text) {
  field.Assign(ToCp1252(text));
}

}  // namespace vellanor
