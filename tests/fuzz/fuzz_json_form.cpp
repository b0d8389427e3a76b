// Feeds arbitrary bytes to the JSON import of radiocps-cli: it must never crash or hang, and what it accepts
// must survive its own JSON form unchanged, since `convert` writes that form for the user to edit and read
// back.
#include <QByteArray>
#include <QJsonDocument>

#include "../support/test_models.h"
#include "image/json_form.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const ModelTable table = TestModels::shipped();
    static const StartupConfig config = [] {
        StartupConfig c;
        c.bandRanges = {QStringLiteral("400MHz---470MHz"), QStringLiteral("136MHz---174MHz"),
                        QStringLiteral("350MHz---400MHz"), QStringLiteral("450MHz---520MHz"),
                        QStringLiteral("245MHz---246MHz"), QStringLiteral("066MHz---088MHz")};
        return c;
    }();
    const QJsonDocument doc =
        QJsonDocument::fromJson(QByteArray(reinterpret_cast<const char*>(data), int(size)));
    if (!doc.isObject())
        return 0;
    LoadedChannelFile loaded;
    if (JsonForm::fromJson(doc.object(), table, config, &loaded).isError())
        return 0;
    const QJsonObject form = JsonForm::toJson(loaded);
    LoadedChannelFile again;
    if (JsonForm::fromJson(form, table, config, &again).isError() || JsonForm::toJson(again) != form)
        __builtin_trap();
    MemoryImage image;
    ChannelFile::encodeImage(loaded.model, loaded.table, loaded.settings, &image);
    return 0;
}
