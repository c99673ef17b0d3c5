// Looking up arbitrary keys: CompatibilityText gives an empty text or one of the table's 46
// paragraphs, and every key of two digits 1 to 9 (leading zeros and surrounding blanks allowed)
// finds its paragraph.
#include "fuzzcheck.h"

#include "core/numerology/compatibility.h"

#include <QSet>
#include <QString>

#include <cstddef>
#include <cstdint>

using numerology::CompatibilityText;

namespace {

const QSet<QString> &paragraphs()
{
    static const QSet<QString> all = [] {
        QSet<QString> texts;
        for (const int key : numerology::compatibilityKeys())
            texts.insert(CompatibilityText(QString::number(key)));
        FUZZ_CHECK(texts.size() == 46);
        return texts;
    }();
    return all;
}

bool isTableKey(const QString &key)
{
    QString digits = key.trimmed();
    while (digits.startsWith(QLatin1Char('0')))
        digits.remove(0, 1);
    return digits.size() == 2 && digits.at(0) >= QLatin1Char('1') && digits.at(0) <= QLatin1Char('9')
        && digits.at(1) >= QLatin1Char('1') && digits.at(1) <= QLatin1Char('9');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString key =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString text = CompatibilityText(key);
    FUZZ_CHECK(text.isEmpty() || paragraphs().contains(text));
    FUZZ_CHECK(text.isEmpty() != isTableKey(key));
    return 0;
}
