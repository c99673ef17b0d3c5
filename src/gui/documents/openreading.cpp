#include "gui/documents/openreading.h"

#include "core/documents/savedreadingfile.h"
#include "gui/platform/seams.h"

namespace documents {

namespace {

const QString kCheckTheFile = QStringLiteral("Please Check The File.");

} // namespace

QString askForSavedReadingPath(QWidget *parent)
{
    platform::FileDialog::Options options;
    options.title = QStringLiteral("Select the source file");
    options.filter = QStringLiteral("Tovrin (*.kvl)");
    options.defaultSuffix = QStringLiteral("kvl");
    return platform::FileDialog::getOpenFileName(parent, options);
}

std::optional<readings::PartnerDetails> readSavedReading(QWidget *parent, const QString &path, bool *systemRefused)
{
    if (systemRefused)
        *systemRefused = false;
    // Only the last three characters count, exactly as written: "Reading.KVL" is refused and
    // "Readingkvl" is taken. A path too short to have three characters is not tested.
    std::optional<readings::PartnerDetails> details;
    if (path.size() < 3 || path.endsWith(QLatin1String("kvl"), Qt::CaseSensitive))
        details = SavedReadingFile::read(path, systemRefused); // a file that cannot be a saved reading changes no input
    if (!details)
        platform::MessageBox::critical(parent, kCheckTheFile);
    return details;
}

} // namespace documents
