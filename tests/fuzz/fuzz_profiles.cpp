// libFuzzer target: arbitrary profile files through the command catalog ("vorn.yaml") and
// the UI configuration ("ui.yaml"), then every command the catalog took built with and
// without arguments. Besides crashes and sanitizer reports it checks that every command
// builds to a sentence that ends with the device's line end.
#include "FuzzSupport.h"

#include "catalog/UiConfig.h"
#include "console/CommandCatalog.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    gcs::fuzz::ensureApp();
    const QString path = gcs::fuzz::inputFile(gcs::fuzz::bytes(data, size));
    gcs::UiConfig ui;
    if (!ui.loadFile(path))
        gcs::fuzz::fail("a readable file loads");
    gcs::CommandCatalog catalog;
    catalog.loadFile(path);
    const QStringList args { QStringLiteral("%1"), QStringLiteral("9600"), QString() };
    for (const QString& id : catalog.commandIds()) {
        if (!catalog.build(id).endsWith("\r\n") || !catalog.build(id, args).endsWith("\r\n"))
            gcs::fuzz::fail("a command builds to a sentence with its line end");
    }
    return 0;
}
