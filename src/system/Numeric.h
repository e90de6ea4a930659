#pragma once
// The one rule for "is this text a number" shared by the settings file and
// the desktop settings: blanks around are allowed; then an optional sign,
// digits with an optional fraction, an optional exponent, using the user's
// decimal and digit-grouping separators. The empty text is not numeric.

#include <QLocale>
#include <QString>
#include <optional>

namespace sys {

// The number the text holds, or nullopt when it is not numeric.
std::optional<double> numericValue(const QString& text, const QLocale& locale = QLocale::system());

}  // namespace sys
