#pragma once

#include <QAbstractButton>
#include <QPixmap>
#include <QPointer>

// A button drawn from three pictures: normal, pressed and hover. In the main window it
// carries its own handler; in a dialog it performs a hidden standard button, which holds
// the caption, the modal result and the handler, and follows that button's enabled state.
class TPngButton : public QAbstractButton {
    Q_OBJECT
    Q_PROPERTY(QString picture READ Picture WRITE SetPicture)

  public:
    explicit TPngButton(QWidget* parent = nullptr);

    const QString& Picture() const { return picture_; }
    // Loads ":/buttons/<name>-normal.png", "-pressed.png" and "-hover.png"; throws
    // std::invalid_argument naming the picture when one is missing.
    void SetPicture(const QString& name);

    void SetStandardButton(QAbstractButton* button);
    QAbstractButton* StandardButton() const { return standard_; }

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void followStandardButton();

    QString picture_;
    QPixmap normal_;
    QPixmap pressed_;
    QPixmap hover_;
    QPointer<QAbstractButton> standard_;
};
