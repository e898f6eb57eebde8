#pragma once

#include <QColor>
#include <QDialog>
#include <functional>
#include <memory>
#include <optional>

#include "PictureChoice.h"

class TColorSwatch;
class TThConfigInfo;

namespace Ui {
class TFormConf;
}

// "動作環境の設定": tax rate, currency symbol, switches, slip colours, titles, messages,
// captions and the six seal pictures. Created once; each opening fills every control from
// the settings it is given, and only OK changes them, after every field has been checked.
class TFormConf : public QDialog {
    Q_OBJECT

  public:
    enum ModalResult { ResultOK = 1, ResultCancel = 2 };

    // Asks for a colour starting from current; empty when the user cancels.
    using ColorDialog =
        std::function<std::optional<QColor>(QWidget* parent, const QColor& current)>;

    explicit TFormConf(QWidget* parent = nullptr);
    ~TFormConf() override;

    // Fills the controls from config and shows 基本設定; Execute then shows the window
    // modally and returns the ModalResult.
    void Bind(TThConfigInfo& config);
    int Execute(TThConfigInfo& config);

    void SetPictureDialog(PictureChoice::Dialog dialog) { pictureDialog_ = std::move(dialog); }
    void SetColorDialog(ColorDialog dialog) { colorDialog_ = std::move(dialog); }
    static std::optional<QColor> AskColor(QWidget* parent, const QColor& current);

    // Escape and the window manager's close give Cancel.
    void reject() override;

  private:
    void FillControls();
    // False, after telling the user and focusing the field, when a field cannot be stored.
    bool CheckControls();
    void StoreControls();

    void BtnOKClick();
    void ChangeColor(TColorSwatch* swatch);
    void ShowReducedTax(bool on);
    void RegisterStamp(int index);
    void DeleteStamp(int index);
    void ShowStamp(int index, const QImage& picture);

    std::unique_ptr<Ui::TFormConf> ui_;
    TThConfigInfo* config_ = nullptr;
    PictureChoice::Dialog pictureDialog_ = &PictureChoice::Ask;
    ColorDialog colorDialog_ = &TFormConf::AskColor;
};
