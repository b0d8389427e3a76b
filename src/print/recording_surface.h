#pragma once

#include <QList>

#include "print/page_surface.h"

// Keeps every text with its position, coordinate space, font and page instead of drawing it; tests read the
// report back from it, and it counts pages without a device.
class RecordingSurface : public PageSurfaceBase {
public:
    explicit RecordingSurface(const QSizeF& inches = QSizeF(8.27, 11.69)) : inches_(inches) {}

    QList<TextItem> items;
    int pageCount() const { return pageNumber() + 1; }
    bool ended() const { return ended_; }
    // Makes the next newPage() fail, as a printer that has gone away would.
    void failNextPage() { failNextPage_ = true; }

    QSizeF sizeInches() const override { return inches_; }
    bool endDocument() override {
        ended_ = true;
        return true;
    }

    // The items on one page, and the first item with a text (nullptr when none).
    QList<TextItem> itemsOnPage(int page) const;
    const TextItem* find(const QString& text, int page = -1) const;

protected:
    void drawItem(const TextItem& item) override { items.append(item); }
    bool startPage() override;

private:
    QSizeF inches_;
    bool ended_ = false;
    bool failNextPage_ = false;
};
