#include "core/numerology/calendar.h"
#include "core/readings/validation.h"

#include <QTest>

using readings::Field;

Q_DECLARE_METATYPE(readings::Field)

namespace {

const QStringList kMonths = {"January", "February", "March",     "April",   "May",      "June",
                             "July",    "August",   "September", "October", "November", "December"};

// Complete, valid details: both partners born on January 1, 1900.
readings::PartnerDetails validInput()
{
    readings::PartnerDetails in;
    in.MaleFirstName = "John";
    in.MaleLastName = "Smith";
    in.FemaleFirstName = "Mary";
    in.FemaleLastName = "Jones";
    in.MaleBirthDay = in.FemaleBirthDay = "1";
    in.MaleBirthMonth = in.FemaleBirthMonth = "January";
    in.MaleBirthYear = in.FemaleBirthYear = "1900";
    return in;
}

void setMaleDate(readings::PartnerDetails &in, int month, int day, int year)
{
    in.MaleBirthMonth = kMonths.at(month - 1);
    in.MaleBirthDay = QString::number(day);
    in.MaleBirthYear = QString::number(year);
}

void setFemaleDate(readings::PartnerDetails &in, int month, int day, int year)
{
    in.FemaleBirthMonth = kMonths.at(month - 1);
    in.FemaleBirthDay = QString::number(day);
    in.FemaleBirthYear = QString::number(year);
}

} // namespace

class tst_Validation : public QObject
{
    Q_OBJECT

private slots:
    void requiredFields_data();
    void requiredFields();
    void dates_data();
    void dates();
    void allEmpty_onlyFirstMessage();
    void leapYears_gregorian();
};

void tst_Validation::requiredFields_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message");
    QTest::addColumn<Field>("focus");

    struct Row { const char *field; const char *message; Field focus; };
    const Row rows[] = {
        {"maleFirst", "Male: First Name cannot be blank", Field::MaleFirst},
        {"maleLast", "Male: Last Name cannot be blank", Field::MaleLast},
        {"femaleFirst", "Female: First Name cannot be blank", Field::FemaleFirst},
        {"femaleLast", "Female: Last Name cannot be blank", Field::FemaleLast},
        {"maleDay", "Male: Date of Birth cannot be blank", Field::MaleDay},
        {"maleMonth", "Male: Month of Birth cannot be blank", Field::MaleMonth},
        {"maleYear", "Male: Year of Birth cannot be blank", Field::MaleYear},
        {"femaleDay", "Female: Date of Birth cannot be blank", Field::FemaleDay},
        {"femaleMonth", "Female: Month of Birth cannot be blank", Field::FemaleMonth},
        {"femaleYear", "Female: Year of Birth cannot be blank", Field::FemaleYear},
    };
    for (const Row &row : rows) {
        QTest::addRow("%s empty", row.field) << row.field << "" << row.message << row.focus;
        QTest::addRow("%s only blanks", row.field) << row.field << "   " << row.message << row.focus;
    }
    QTest::newRow("male middle name is not required") << "none" << "" << "" << Field::None;
}

void tst_Validation::requiredFields()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, message);
    QFETCH(Field, focus);

    readings::PartnerDetails in = validInput();
    QString *const texts[] = {&in.MaleFirstName,  &in.MaleLastName,     &in.FemaleFirstName, &in.FemaleLastName,
                              &in.MaleBirthDay,   &in.MaleBirthMonth,   &in.MaleBirthYear,   &in.FemaleBirthDay,
                              &in.FemaleBirthMonth, &in.FemaleBirthYear};
    const QStringList names = {"maleFirst", "maleLast", "femaleFirst", "femaleLast", "maleDay",
                               "maleMonth", "maleYear", "femaleDay", "femaleMonth", "femaleYear"};
    if (names.contains(field))
        *texts[names.indexOf(field)] = value;

    const readings::ValidationResult result = readings::checkInput(in);
    QCOMPARE(result.ok, message.isEmpty());
    QCOMPARE(result.message, message);
    QCOMPARE(result.focus, focus);
}

void tst_Validation::dates_data()
{
    QTest::addColumn<QList<int>>("male");   // month, day, year
    QTest::addColumn<QList<int>>("female"); // month, day, year
    QTest::addColumn<QString>("message");

    const QList<int> ok = {1, 1, 1900};
    const QString maleFeb = "Please Enter Your Correct Date Or Month!";
    const QString male31 = "Please Enter Your Correct Date Or Month !";
    const QString femaleFeb = "Please Enter Your Partners Correct Date Or Month!";
    const QString female31 = "Please Enter Your Partners Correct Date Or Month !";

    QTest::newRow("Feb 29 1904 passes") << QList<int>{2, 29, 1904} << ok << "";
    QTest::newRow("Feb 29 2000 passes") << QList<int>{2, 29, 2000} << ok << "";
    QTest::newRow("Feb 29 1901 fails") << QList<int>{2, 29, 1901} << ok << maleFeb;
    QTest::newRow("Feb 29 1900 fails: no such day") << QList<int>{2, 29, 1900} << ok << maleFeb;
    QTest::newRow("Feb 29 2100 fails") << QList<int>{2, 29, 2100} << ok << maleFeb;
    QTest::newRow("Feb 28 1901 passes") << QList<int>{2, 28, 1901} << ok << "";
    QTest::newRow("Feb 30 in a leap year fails") << QList<int>{2, 30, 2000} << ok << maleFeb;
    QTest::newRow("Feb 31 fails") << QList<int>{2, 31, 1999} << ok << maleFeb;
    QTest::newRow("Apr 31 fails") << QList<int>{4, 31, 1950} << ok << male31;
    QTest::newRow("Jun 31 fails") << QList<int>{6, 31, 1950} << ok << male31;
    QTest::newRow("Sep 31 fails") << QList<int>{9, 31, 1950} << ok << male31;
    QTest::newRow("Nov 31 fails") << QList<int>{11, 31, 1950} << ok << male31;
    QTest::newRow("Apr 30 passes") << QList<int>{4, 30, 1950} << ok << "";
    QTest::newRow("Mar 31 passes") << QList<int>{3, 31, 1950} << ok << "";
    QTest::newRow("Dec 31 passes") << QList<int>{12, 31, 2050} << ok << "";
    QTest::newRow("female Jun 31 fails") << ok << QList<int>{6, 31, 1970} << female31;
    QTest::newRow("female Feb 30 fails") << ok << QList<int>{2, 30, 1972} << femaleFeb;
    QTest::newRow("female Feb 29 1900 fails") << ok << QList<int>{2, 29, 1900} << femaleFeb;
    QTest::newRow("both wrong: male message only") << QList<int>{4, 31, 1950} << QList<int>{2, 30, 1972} << male31;
    QTest::newRow("each partner's own year: male leap") << QList<int>{2, 29, 1904} << QList<int>{2, 29, 1905}
                                                        << femaleFeb;
    QTest::newRow("each partner's own year: female leap") << QList<int>{2, 29, 1905} << QList<int>{2, 29, 1904}
                                                          << maleFeb;
}

void tst_Validation::dates()
{
    QFETCH(QList<int>, male);
    QFETCH(QList<int>, female);
    QFETCH(QString, message);

    readings::PartnerDetails in = validInput();
    setMaleDate(in, male[0], male[1], male[2]);
    setFemaleDate(in, female[0], female[1], female[2]);

    const readings::ValidationResult result = readings::checkInput(in);
    QCOMPARE(result.ok, message.isEmpty());
    QCOMPARE(result.message, message);
    QCOMPARE(result.focus, Field::None); // date messages never move the focus
}

void tst_Validation::allEmpty_onlyFirstMessage()
{
    const readings::ValidationResult result = readings::checkInput(readings::PartnerDetails());
    QVERIFY(!result.ok);
    QCOMPARE(result.message, QStringLiteral("Male: First Name cannot be blank"));
    QCOMPARE(result.focus, Field::MaleFirst);
}

void tst_Validation::leapYears_gregorian()
{
    QCOMPARE(numerology::daysInMonth(2, 1904), 29);
    QCOMPARE(numerology::daysInMonth(2, 2000), 29);
    QCOMPARE(numerology::daysInMonth(2, 1900), 28);
    QCOMPARE(numerology::daysInMonth(2, 2100), 28);
    QCOMPARE(numerology::daysInMonth(2, 1901), 28);
}

QTEST_APPLESS_MAIN(tst_Validation)
#include "tst_validation.moc"
