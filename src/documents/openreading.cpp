#include "documents/openreading.h"

#include "app/frmmain.h"
#include "documents/maininputs.h"
#include "documents/savedreadingfile.h"
#include "platform/dialogs.h"

namespace documents {

namespace {

const QString kCheckTheFile = QStringLiteral("Please Check The File.");

} // namespace

void OpenSavedReading(frmMain *main)
{
    if (!main)
        return;

    platform::FileDialog::Options options;
    options.title = QStringLiteral("Select the source file");
    options.filter = QStringLiteral("Tovrin (*.kvl)");
    options.defaultSuffix = QStringLiteral("kvl");
    const QString path = platform::FileDialog::getOpenFileName(main, options);

    // Only the last three characters count, exactly as written: "Reading.KVL" is refused and
    // "Readingkvl" is taken. A path too short to have three characters is not tested.
    if (path.size() >= 3 && !path.endsWith(QLatin1String("kvl"), Qt::CaseSensitive)) {
        platform::MessageBox::critical(main, kCheckTheFile);
        return;
    }
    if (path.isEmpty())
        return; // Cancel

    // A file that cannot be a saved reading changes no input.
    const std::optional<readings::PartnerDetails> details = SavedReadingFile::read(path);
    if (!details) {
        platform::MessageBox::critical(main, kCheckTheFile);
        return;
    }
    setMainWindowDetails(main, *details);
    main->cmdCR_Click();
}

} // namespace documents
