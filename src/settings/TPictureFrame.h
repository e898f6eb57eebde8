#pragma once

#include <QFrame>
#include <QImage>

// A picture frame of the settings windows: it keeps its picture, shown stretched to fit, so
// a window stores exactly the picture it shows. An empty picture leaves the frame blank.
class TPictureFrame : public QFrame {
    Q_OBJECT

  public:
    explicit TPictureFrame(QWidget* parent = nullptr);

    const QImage& Picture() const { return picture_; }
    void SetPicture(const QImage& picture);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage picture_;
};
