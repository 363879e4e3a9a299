// GBK text to and from Qt strings: the window is where the program's texts meet Qt.
#pragma once

#include <QString>

#include "text/code_page.h"
#include "text/text.h"

namespace mlf {

inline QString ToQString(const Text& text) {
  std::u16string units = ToUtf16(text.view());
  return QString(reinterpret_cast<const QChar*>(units.data()),
                 static_cast<qsizetype>(units.size()));
}

inline Text FromQString(const QString& string) {
  return FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(string.utf16()),
                                       static_cast<std::size_t>(string.size())));
}

}  // namespace mlf
