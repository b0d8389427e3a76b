#include "print/recording_surface.h"

QList<TextItem> RecordingSurface::itemsOnPage(int page) const {
    QList<TextItem> out;
    for (const TextItem& item : items) {
        if (item.page == page)
            out.append(item);
    }
    return out;
}

const TextItem* RecordingSurface::find(const QString& text, int page) const {
    for (const TextItem& item : items) {
        if (item.text == text && (page < 0 || item.page == page))
            return &item;
    }
    return nullptr;
}

bool RecordingSurface::startPage() {
    if (failNextPage_) {
        failNextPage_ = false;
        return false;
    }
    return true;
}
