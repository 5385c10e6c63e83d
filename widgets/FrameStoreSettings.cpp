#include "FrameStoreSettings.h"

#include "CFrameStore.h"

#include <QSettings>

namespace {

const char* const kKeys[3] = {"FrameStore/ImageDirectory", "FrameStore/DataDirectory",
                              "FrameStore/ProgramDirectory"};

bool InRange(int count) {
    return count >= 1 && count <= FrameStoreSettings::kMaxFrames;
}

} // namespace

FrameStoreSettings FrameStoreSettings::From(const kova::CFrameStore& store) {
    FrameStoreSettings settings;
    settings.greyFrames = store.Get_nofframe();
    settings.colorFrames = store.Get_nofframe_color();
    for (int i = 0; i < 3; ++i)
        settings.directories[i] = store.Get_directory(i + 1);
    return settings;
}

FrameStoreSettings FrameStoreSettings::Load(QSettings& settings,
                                            const FrameStoreSettings& fallback) {
    FrameStoreSettings loaded = fallback;
    bool ok = false;
    const int grey = settings.value(QStringLiteral("FrameStore/GreyFrames")).toInt(&ok);
    if (ok && InRange(grey)) loaded.greyFrames = grey;
    const int color = settings.value(QStringLiteral("FrameStore/ColorFrames")).toInt(&ok);
    if (ok && InRange(color)) loaded.colorFrames = color;
    for (int i = 0; i < 3; ++i) {
        const QString dir = settings.value(QString::fromLatin1(kKeys[i])).toString();
        if (!dir.isEmpty()) loaded.directories[i] = dir.toStdString();
    }
    return loaded;
}

void FrameStoreSettings::Save(QSettings& settings) const {
    settings.setValue(QStringLiteral("FrameStore/GreyFrames"), greyFrames);
    settings.setValue(QStringLiteral("FrameStore/ColorFrames"), colorFrames);
    for (int i = 0; i < 3; ++i)
        settings.setValue(QString::fromLatin1(kKeys[i]), QString::fromStdString(directories[i]));
}

bool FrameStoreSettings::IsValid() const {
    return InRange(greyFrames) && InRange(colorFrames);
}

bool FrameStoreSettings::Apply(kova::CFrameStore& store) const {
    if (!IsValid()) return false;
    if (store.Get_nofframe() != greyFrames) store.Put_nofframe(greyFrames);
    if (store.Get_nofframe_color() != colorFrames) store.Put_nofframe_color(colorFrames);
    for (int i = 0; i < 3; ++i)
        if (!directories[i].empty()) store.Put_directory(i + 1, directories[i]);
    return true;
}
