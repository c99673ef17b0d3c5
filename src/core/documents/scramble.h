#pragma once

#include <QString>

// The character shift that keeps saved readings and the stored reminder date from being read at a
// glance. It is not encryption.
//
// Every character from the blank upwards moves ScrambleOffset places along the Unicode scalar
// values (surrogates skipped, wrapping at the top), so ordinary text simply gains ScrambleOffset in
// every character code and every character comes back unchanged. Control characters stay as they
// are, except line breaks and NUL, which become blanks: a scrambled value always stays on one line
// of a text file.
namespace documents {

constexpr char32_t ScrambleOffset = 37;

QString ScrambleText(const QString &text);
QString UnscrambleText(const QString &text);

} // namespace documents
