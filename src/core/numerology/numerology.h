#pragma once

#include <QList>
#include <QString>
#include <QVarLengthArray>
#include <QtGlobal>

// The Pythagorean reduction of dates and names to one numerology digit.
//
// Arithmetic is 16-bit: a step that would leave -32768..32767 has no effect,
// exactly as a failed step of the original engine had none.
namespace numerology {

// One step of a reduction: the digits added, in the order they are written, and their sum.
struct ReductionStep {
    QVarLengthArray<qint16, 5> digits;
    qint16 sum = 0;
};

// How a total became one digit. The digits of the total are added (a minus sign counts nothing);
// when that sum has two digits, its first and its last digit are added once more, and that is the
// last step even when it gives 11. A 10 that comes out counts as 1. A total of one digit takes no step.
struct Reduction {
    qint16 total = 0;
    QVarLengthArray<ReductionStep, 2> steps;
    bool tenCountsAsOne = false; // the last step gave 10
    qint16 number = 0;           // what the readings use: 0 to 9 or 11
};

Reduction reduce(qint16 total);

// What the day, the month and the year of a date added to the LifePath total, and its reduction.
// A part adds 0 when it is no number (or no month name), or when adding it would take the total
// out of the 16-bit range.
struct LifePathWorking {
    int day = 0;
    int month = 0;
    int year = 0;
    Reduction reduction;
};

// Day and year are decimal texts, read in the "C" locale; the total is rounded half to even
// after each part. The month must match "January".."December" exactly.
LifePathWorking lifePathWorking(const QString &day, const QString &month, const QString &year);

// Reduces a day, an English month name and a year to one digit (a LifePath number): the number of
// lifePathWorking(). Results are 1 to 9 for every date of the lists; 11 and 0 can come out for
// other totals.
qint16 SingleDigitNumber(const QString &day, const QString &month, const QString &year);

// Adds the Pythagorean values of the upper-case letters A to Z in text and reduces the sum.
// Every other character counts 0; names go through countedLetters first (destinyNumber).
// A letter that would take the sum past 32,767 is left out.
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

// One character of a name and what it counted.
struct CountedCharacter {
    char32_t character = 0;    // a lone surrogate is U+FFFD
    qsizetype position = 0;    // where it starts in the name, in UTF-16 units
    qsizetype firstLetter = 0; // where its letters start in DestinyWorking::letters
    qsizetype letterCount = 0; // how many letters it counts as: countedLetters(character)
    int value = 0;             // the letters' values together
    int added = 0;             // what went into the total: less than value when a letter was left out
};

// How destinyNumber counted a name: every character in order, and the reduction of the total.
// The letters are added in the same order and by the same rule as StringToNumber adds them.
struct DestinyWorking {
    QString letters; // countedLetters(name)
    QList<CountedCharacter> characters;
    Reduction reduction;

    QStringView lettersOf(const CountedCharacter &c) const
    {
        return QStringView(letters).mid(c.firstLetter, c.letterCount);
    }
};

DestinyWorking destinyWorking(QStringView name);

// The male number in decimal followed directly by the female number, e.g. "35".
QString CombinationKey(qint16 male, qint16 female);

} // namespace numerology
