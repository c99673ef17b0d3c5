#pragma once

#include <QString>
#include <QtGlobal>

// The Pythagorean reduction of dates and names to one numerology digit.
//
// Arithmetic is 16-bit: a step that would leave -32768..32767 has no effect,
// exactly as a failed step of the original engine had none.
namespace numerology {

// Reduces a day, an English month name and a year to one digit (a LifePath number).
// Day and year are decimal texts; the month must match "January".."December" exactly.
// Results are 1 to 9 for every date of the lists; 11 and 0 can come out for other totals.
qint16 SingleDigitNumber(const QString &day, const QString &month, const QString &year);

// Adds the Pythagorean values of the upper-case letters A to Z in text and reduces the sum.
// Every other character counts 0; names go through countedLetters first (destinyNumber).
qint16 StringToNumber(const QString &text);

// The Pythagorean value of one character: 1 to 9 for A to Z, 0 for anything else.
int letterValue(QChar c);

// The letters A to Z, upper case, that one character of a name counts as: the letters of its
// compatibility decomposition (NFKD) with the combining marks dropped, so that é, Å and ﬁ count as
// E, A and FI, and ß, Æ, Œ, Ø, Ł, Đ and Þ (which do not decompose) as SS, AE, OE, O, L, D and TH,
// in either case. Empty for a character that counts nothing: a letter of another
// script, a digit, punctuation, a blank, a mark on its own.
QString countedLetters(char32_t character);

// countedLetters of every character of text, in order: the text that a name counts as.
QString countedLetters(QStringView text);

// The Destiny number of a name as typed: StringToNumber of the letters it counts as.
qint16 destinyNumber(QStringView name);

// The male number in decimal followed directly by the female number, e.g. "35".
QString CombinationKey(qint16 male, qint16 female);

} // namespace numerology
