#include "image/image_compare.h"

namespace {

void note(QVector<int>& list, int value) {
    if (list.isEmpty() || list.last() != value)
        list.append(value);
}

} // namespace

ImageDifferences compareWritten(const MemoryImage& sent, const MemoryImage& readBack, int channelCount) {
    ImageDifferences d;
    for (int i = 0; i + 1 < sent.size(); ++i) {
        if (i < readBack.size() && readBack.blocks[i] == sent.blocks[i])
            continue;
        const BlockRole role = blockRole(i, channelCount);
        switch (role.kind) {
        case BlockRole::Kind::Settings:
            note(d.settingsBlocks, role.number);
            break;
        case BlockRole::Kind::Channel:
            note(d.channels, role.number);
            break;
        case BlockRole::Kind::Filler:
            note(d.fillerBlocks, role.number);
            break;
        }
    }
    return d;
}
