// Text helpers of the screens: the UTF-8 texts of a module's Texts.h as QString, and a failure
// shown as "number: description".
#pragma once

#include "platform/jet/Error.h"

#include <QString>

#include <string>

namespace tamsel {

inline QString tr8(const char* utf8) {
    return QString::fromUtf8(utf8);
}
inline QString tr8(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// "number: description", as every error box of the screens shows a failure.
inline QString failureText(int number, const QString& description) {
    return QString::number(number) + QStringLiteral(": ") + description;
}
inline QString failureText(int number, const std::string& description) {
    return failureText(number, tr8(description));
}
inline QString failureText(const plat::jet::Error& e) {
    return failureText(e.number(), e.description());
}

} // namespace tamsel
