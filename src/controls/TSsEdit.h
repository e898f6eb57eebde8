#pragma once

#include <QLineEdit>

// The one-line edit of every number field. It never reformats, limits or checks what is
// typed (the owning windows filter keys where they need to); entering it selects the
// whole text, whether by Tab or by a click.
class TSsEdit : public QLineEdit {
    Q_OBJECT

  public:
    explicit TSsEdit(QWidget* parent = nullptr);

  protected:
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    // The click that brought the focus would otherwise put the cursor where it landed.
    bool selectOnPress_ = false;
};
