#include "core/readings/working.h"

#include "core/numerology/numerology.h"
#include "core/readings/direction.h"
#include "core/readings/readingtexts.h"

#include <QLocale>
#include <QStringList>

namespace readings {

namespace {

const QString &arrow()
{
    static const QString text = QStringLiteral(" \u2192 ");
    return text;
}

// How many characters of a name part the working lists one by one, and shows in a heading.
constexpr int kListedCharacters = 40;

// How many words of a paragraph the couple's part quotes.
constexpr int kOpeningWords = 8;

// Runs of the working, built line by line: headings bold, everything else plain.
class WorkingText
{
public:
    void heading(const QString &text)
    {
        m_runs.append({text + crlf(), true});
    }

    void line(const QString &text)
    {
        if (m_runs.isEmpty() || m_runs.last().bold)
            m_runs.append({QString(), false});
        m_runs.last().text += text + crlf();
    }

    QList<TextRun> runs() const { return m_runs; }

private:
    QList<TextRun> m_runs;
};

QString number(int n)
{
    return QString::number(n);
}

// A count of characters, its thousands grouped as in "32,700".
QString count(qsizetype n, const char *singular, const char *plural)
{
    static const QLocale english(QLocale::English, QLocale::UnitedStates);
    return english.toString(qlonglong(n)) + QLatin1Char(' ')
        + QLatin1String(n == 1 ? singular : plural);
}

// text, or its first kListedCharacters characters and "…" when it is longer.
QString shortened(const QString &text)
{
    if (text.size() <= kListedCharacters)
        return withDirectionsClosed(text);
    qsizetype end = kListedCharacters;
    if (text.at(end - 1).isHighSurrogate())
        --end;
    return withDirectionsClosed(text.left(end)) + QStringLiteral("\u2026");
}

// A character as the working shows it. Blanks, marks on their own and characters that draw nothing
// get a name a reader can see.
QString shownCharacter(char32_t c)
{
    const auto codePoint = [c] {
        return QStringLiteral("U+") + QString::number(uint(c), 16).toUpper().rightJustified(4, QLatin1Char('0'));
    };
    if (QChar::isSpace(c))
        return QStringLiteral("blank");
    // Symbols that show as nothing: a text document draws U+FFFC as an empty object, and fonts
    // draw the braille blank as an empty cell.
    if (c == 0xFFFC || c == 0x2800)
        return codePoint();
    switch (QChar::category(c)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
        // On a dotted circle, as character tables show a mark.
        return QStringLiteral("\u25CC") + QString::fromUcs4(&c, 1);
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_PrivateUse:
    case QChar::Other_NotAssigned:
        return codePoint();
    default:
        return QString::fromUcs4(&c, 1);
    }
}

// "J = 1", "ë → E = 5", "ß → SS = 2", "7 = 0": a letter A to Z in either case counts as itself,
// any other character shows the letters it counts as, if any.
QString characterItem(const numerology::CountedCharacter &c, QStringView letters)
{
    QString item = shownCharacter(c.character);
    if (c.character >= 0x80 && !letters.isEmpty())
        item += arrow() + letters.toString();
    item += QStringLiteral(" = ") + number(c.value);
    if (c.added == 0 && c.value > 0)
        item += QStringLiteral(" (left out)");
    else if (c.added < c.value)
        item += QStringLiteral(" (%1 of it added)").arg(c.added);
    return item;
}

// "20 + 14 + 24 = 58", or only the total when it has one term.
QString sum(const QStringList &terms, int total)
{
    return terms.size() > 1 ? terms.join(QStringLiteral(" + ")) + QStringLiteral(" = ") + number(total) : number(total);
}

void appendReduction(WorkingText &text, const numerology::Reduction &r)
{
    QString steps = number(r.total);
    if (r.steps.isEmpty())
        steps = QStringLiteral("none, %1 has one digit").arg(r.total);
    for (const numerology::ReductionStep &step : r.steps) {
        QStringList digits;
        for (const qint16 digit : step.digits)
            digits.append(number(digit));
        steps += arrow() + digits.join(QStringLiteral(" + ")) + QStringLiteral(" = ") + number(step.sum);
    }
    if (r.tenCountsAsOne)
        steps += arrow() + number(r.number);
    text.line(QStringLiteral("Reduction: ") + steps);
    if (r.tenCountsAsOne)
        text.line(QStringLiteral("The second step gave 10, and 10 becomes 1."));
    else if (r.number == 11)
        text.line(QStringLiteral("The second step gave 11, and 11 is kept: there is no third step to make it 2."));
}

// What every letter counts, grouped by value ("A, J, S = 1; B, K, T = 2; ..."), and how a total is
// reduced.
const QString &introduction()
{
    static const QString text = [] {
        QStringList groups;
        for (int value = 1; value <= 9; ++value) {
            QStringList letters;
            for (char16_t c = u'A'; c <= u'Z'; ++c) {
                if (numerology::letterValue(QChar(c)) == value)
                    letters.append(QString(QChar(c)));
            }
            groups.append(letters.join(QStringLiteral(", ")) + QStringLiteral(" = ") + number(value));
        }
        return QStringLiteral("Each letter counts its Pythagorean value: ") + groups.join(QStringLiteral("; "))
            + QStringLiteral(". A letter with an accent counts as the letter it is built on; digits, punctuation, "
                             "blanks and letters of other scripts count 0. A total is reduced by adding its digits "
                             "and, when that sum has two digits, by adding its first and last digit once more.");
    }();
    return text;
}

void appendDestiny(WorkingText &text, const QString &first, const QString &middle, const QString &last)
{
    // The very name the Destiny reading counts; the parts say where each character came from.
    const numerology::DestinyWorking working = numerology::destinyWorking(countedFullName(first, middle, last));
    text.heading(QStringLiteral("Destiny"));

    QStringList subtotals;
    qsizetype notInFull = 0;
    qsizetype next = 0;
    qsizetype partEnd = 0;
    for (const QString &part : {first.trimmed(), middle.trimmed(), last.trimmed()}) {
        partEnd += part.size();
        if (part.isEmpty())
            continue;
        QStringList items;
        int together = 0;
        qsizetype more = 0;
        int moreAdded = 0;
        for (; next < working.characters.size() && working.characters.at(next).position < partEnd; ++next) {
            const numerology::CountedCharacter &c = working.characters.at(next);
            together += c.added;
            if (c.added < c.value)
                ++notInFull;
            if (items.size() < kListedCharacters) {
                items.append(characterItem(c, working.lettersOf(c)));
            } else {
                ++more;
                moreAdded += c.added;
            }
        }
        QString line = shortened(part) + QStringLiteral(": ") + items.join(QStringLiteral(", "));
        if (more > 0) {
            line += QStringLiteral(", \u2026 and %1, adding up to %2")
                        .arg(count(more, "more character", "more characters"))
                        .arg(moreAdded);
        }
        text.line(line + QStringLiteral("; together ") + number(together));
        subtotals.append(number(together));
    }
    text.line(QStringLiteral("Total: ") + sum(subtotals, working.reduction.total));
    if (notInFull > 0)
        text.line(count(notInFull, "character was", "characters were")
                  + QStringLiteral(" not added in full: the total cannot go past 32,767."));
    appendReduction(text, working.reduction);
    text.line(QStringLiteral("Destiny number: ") + number(working.reduction.number));
}

// A date part as typed, with the value it added when that is not the text itself.
QString valued(const QString &part, int value)
{
    const QString shown = shortened(part);
    return part == number(value) ? shown : shown + QStringLiteral(" = ") + number(value);
}

void appendLifePath(WorkingText &text, const QString &month, const QString &day, const QString &year)
{
    const numerology::LifePathWorking working = numerology::lifePathWorking(day, month, year);
    text.heading(QStringLiteral("LifePath"));
    text.line(QStringLiteral("Day: ") + valued(day, working.day));
    text.line(QStringLiteral("Month: ") + valued(month, working.month));
    text.line(QStringLiteral("Year: ") + valued(year, working.year));
    text.line(QStringLiteral("Total: ")
              + sum({number(working.day), number(working.month), number(working.year)}, working.reduction.total));
    appendReduction(text, working.reduction);
    text.line(QStringLiteral("LifePath number: ") + number(working.reduction.number));
}

void appendPartner(WorkingText &text, const QString &title, const QString &first, const QString &middle,
                   const QString &last, const QString &month, const QString &day, const QString &year)
{
    QStringList shownName;
    for (const QString &part : {first.trimmed(), middle.trimmed(), last.trimmed()}) {
        if (!part.isEmpty())
            shownName.append(shortened(part));
    }
    text.heading(title + QStringLiteral(": ") + shownName.join(QLatin1Char(' ')));
    appendDestiny(text, first, middle, last);
    text.line(QString());
    appendLifePath(text, month, day, year);
    text.line(QString());
}

QString openingWords(const QString &paragraph)
{
    qsizetype end = -1;
    for (int word = 0; word < kOpeningWords; ++word) {
        end = paragraph.indexOf(QLatin1Char(' '), end + 1);
        if (end < 0)
            return paragraph;
    }
    return paragraph.left(end) + QStringLiteral(" \u2026");
}

void appendCombination(WorkingText &text, const QString &kind, const Combination &c)
{
    QString line = QStringLiteral("%1 combination %2 + %3, key %4: ").arg(kind).arg(c.male).arg(c.female).arg(c.key);
    if (c.paragraph.isEmpty())
        line += QStringLiteral("no paragraph has this key");
    else
        line += QLatin1Char('"') + openingWords(c.paragraph) + QLatin1Char('"');
    text.line(line);
}

} // namespace

Reading working(const PartnerDetails &d)
{
    WorkingText text;
    text.line(introduction());
    text.line(QString());
    appendPartner(text, QStringLiteral("Male"), d.MaleFirstName, d.MaleMiddleName, d.MaleLastName, d.MaleBirthMonth,
                  d.MaleBirthDay, d.MaleBirthYear);
    appendPartner(text, QStringLiteral("Female"), d.FemaleFirstName, d.FemaleMiddleName, d.FemaleLastName,
                  d.FemaleBirthMonth, d.FemaleBirthDay, d.FemaleBirthYear);

    text.heading(QStringLiteral("The couple"));
    // The readings' own numbers, keys and paragraphs.
    appendCombination(text, QStringLiteral("Destiny"), destinyCombination(d));
    appendCombination(text, QStringLiteral("LifePath"), lifePathCombination(d));
    return {QStringLiteral("How the Numbers Were Found"), text.runs()};
}

} // namespace readings
