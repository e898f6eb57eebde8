#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TFormVersion;
}

// The about box: the product title and a button that closes it.
class TFormVersion : public QDialog {
    Q_OBJECT

  public:
    explicit TFormVersion(QWidget* parent = nullptr);
    ~TFormVersion() override;

  private:
    std::unique_ptr<Ui::TFormVersion> ui_;
};
