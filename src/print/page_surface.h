#pragma once

#include <QColor>
#include <QPointF>
#include <QSizeF>
#include <QString>

// What the report needs of anything it is drawn on: a user coordinate space (0, 0)-(w, h) over the drawable
// area, a font (name, bold, size in points), a current position, text at that position (top-left corner)
// and, on paper, new pages and the end of the document.
class PageSurface {
public:
    virtual ~PageSurface() = default;

    virtual void setScale(double width, double height) = 0;
    // The coordinate space becomes the drawable area measured in inches.
    virtual void setScaleModeInches() = 0;
    virtual double scaleWidth() const = 0;
    virtual double scaleHeight() const = 0;

    virtual void setFontName(const QString& name) = 0;
    virtual QString fontName() const = 0;
    virtual void setFontBold(bool bold) = 0;
    virtual void setFontSize(double points) = 0;
    virtual void setForeColor(const QColor& color) = 0;
    virtual QColor foreColor() const = 0;

    virtual void setCurrentPosition(double x, double y) = 0;
    virtual void printText(const QString& text) = 0;
    // The room a text takes in the current font, in user units: its advance and the font's line height.
    virtual QSizeF textSize(const QString& text) const = 0;

    // False when the device refused; a surface without pages accepts and ignores both.
    virtual bool newPage() = 0;
    virtual bool endDocument() = 0;
};

// One text as drawn: where, in which coordinate space and with which font.
struct TextItem {
    QString text;
    QPointF position;
    QSizeF scale; // the coordinate space the position is in
    QString fontName;
    bool bold = false;
    double size = 0; // points
    QColor color;
    int page = 0; // 0 for the first page
};

// Keeps the state every surface shares (coordinate space, font, position, colour, page number) and hands
// each text over as a TextItem. Implementations say how big they are and how a text reaches the device.
class PageSurfaceBase : public PageSurface {
public:
    void setScale(double width, double height) override;
    void setScaleModeInches() override;
    double scaleWidth() const override { return scale_.width(); }
    double scaleHeight() const override { return scale_.height(); }

    void setFontName(const QString& name) override { item_.fontName = name; }
    QString fontName() const override { return item_.fontName; }
    void setFontBold(bool bold) override { item_.bold = bold; }
    void setFontSize(double points) override { item_.size = points; }
    double fontSize() const { return item_.size; }
    void setForeColor(const QColor& color) override { item_.color = color; }
    QColor foreColor() const override { return item_.color; }

    void setCurrentPosition(double x, double y) override { item_.position = {x, y}; }
    void printText(const QString& text) override;
    QSizeF textSize(const QString& text) const override;

    bool newPage() override;
    bool endDocument() override { return true; }
    int pageNumber() const { return item_.page; }

    // The drawable area in inches.
    virtual QSizeF sizeInches() const = 0;

protected:
    PageSurfaceBase();
    virtual void drawItem(const TextItem& item) = 0;
    // Called by newPage(); the page number advances only when it succeeds.
    virtual bool startPage() { return true; }

private:
    QSizeF scale_;
    TextItem item_;
};
