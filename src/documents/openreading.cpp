#include "documents/openreading.h"

#include "app/frmmain.h"

namespace documents {

void OpenSavedReading(frmMain *main)
{
    Q_UNUSED(main);
}

} // namespace documents
