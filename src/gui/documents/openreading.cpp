#include "gui/documents/openreading.h"

#include "core/documents/savedreadingfile.h"
#include "gui/platform/seams.h"

namespace documents {

namespace {

const QString kCheckTheFile = QStringLiteral("Please Check The File.");

} // namespace

std::optional<readings::PartnerDetails> askForSavedReading(QWidget *parent)
{
    platform::FileDialog::Options options;
    options.title = QStringLiteral("Select the source file");
    options.filter = QStringLiteral("Tovrin (*.kvl)");
    options.defaultSuffix = QStringLiteral("kvl");
    const QString path = platform::FileDialog::getOpenFileName(parent, options);

    // Only the last three characters count, exactly as written: "Reading.KVL" is refused and
    // "Readingkvl" is taken. A path too short to have three characters is not tested.
    if (path.size() >= 3 && !path.endsWith(QLatin1String("kvl"), Qt::CaseSensitive)) {
        platform::MessageBox::critical(parent, kCheckTheFile);
        return std::nullopt;
    }
    if (path.isEmpty())
        return std::nullopt; // Cancel

    // A file that cannot be a saved reading changes no input.
    const std::optional<readings::PartnerDetails> details = SavedReadingFile::read(path);
    if (!details)
        platform::MessageBox::critical(parent, kCheckTheFile);
    return details;
}

} // namespace documents
