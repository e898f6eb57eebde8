#pragma once

#include <QColor>
#include <QFrame>

// A colour swatch: a framed rectangle filled with one colour.
class TColorSwatch : public QFrame {
    Q_OBJECT

  public:
    explicit TColorSwatch(QWidget* parent = nullptr);

    QColor Color() const { return color_; }
    void SetColor(const QColor& color);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor color_ = Qt::white;
};
